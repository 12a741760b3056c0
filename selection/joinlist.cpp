#include "selection/joinlist.h"

#include <span>

#include "fileops/join.h"
#include "fileops/operationerror.h"
#include "fileops/paths.h"
#include "fileops/split.h"

namespace zorvaku {

JoinList TheJoinList;

std::string DisplayRow(int i, const std::string& path)
{
    return std::to_string(i) + ": " + path;
}

void AddFile(JoinList& list, const std::string& fullFileName)
{
    if (fullFileName.empty())
        return;
    if (list.FileCount >= MaxSlots)
        throw OperationError(Operation::Add, Action::Add, fullFileName,
            "結合できるファイルは" + std::to_string(MaxSlots) + "個までです");
    list.FileSlots[list.FileCount] = fullFileName;
    list.Rows.push_back(DisplayRow(list.FileCount, fullFileName));
    ++list.FileCount;
}

bool RemoveRow(JoinList& list, int row)
{
    if (row < 0 || row >= MaxSlots)
        return false;
    list.FileSlots[row].clear();

    int kept = 0;
    for (int i = 0; i < list.FileCount; ++i) {
        if (!list.FileSlots[i].empty())
            list.FileSlots[kept++] = list.FileSlots[i];
    }
    list.FileCount = kept;
    if (kept < MaxSlots)
        list.FileSlots[kept].clear();

    list.Rows.clear();
    for (int i = 0; i < list.FileCount; ++i) {
        if (!list.FileSlots[i].empty())
            list.Rows.push_back(DisplayRow(i, list.FileSlots[i]));
    }
    return true;
}

void JoinListed(JoinList& list, const std::string& output, const ProgressFn& progress)
{
    JoinFiles(std::span(list.FileSlots.data(), static_cast<std::size_t>(list.FileCount)), output, progress);
}

void SplitFirst(JoinList& list, const ProgressFn& progress)
{
    if (list.FileSlots[0].empty())
        throw OperationError(Operation::Split, Action::Open, "", "分割するファイルがありません");
    list.Rows.push_back(BaseName(list.FileSlots[0], PlatformPaths));
    SplitFile(list.FileSlots[0], progress);
}

}  // namespace zorvaku
