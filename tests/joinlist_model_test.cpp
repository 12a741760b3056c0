#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <set>

#include <sys/stat.h>
#include <unistd.h>

#include "fileops/operationerror.h"
#include "selection/joinlist.h"
#include "tests/testsupport.h"

using namespace zorvaku;
using namespace zorvaku::test;

namespace {

// The join list as its rules describe it, kept apart from the program's code:
// a table of 100 paths, a count, and the rows shown. Joins and splits see the
// files through `existing`, the names that are on disk.
struct ReferenceList {
    std::vector<std::string> slots = std::vector<std::string>(MaxSlots);
    int count = 0;
    std::vector<std::string> rows;

    // Returns whether the add is refused (the table is full).
    bool Add(const std::string& path)
    {
        if (path.empty())
            return false;
        if (count == MaxSlots)
            return true;
        slots[count] = path;
        rows.push_back(std::to_string(count) + ": " + path);
        ++count;
        return false;
    }

    void Remove(int row)
    {
        if (row < 0 || row >= MaxSlots)
            return;
        slots[row] = "";
        int kept = 0;
        for (int i = 0; i < count; ++i) {
            if (slots[i] != "")
                slots[kept++] = slots[i];
        }
        count = kept;
        if (kept < MaxSlots)
            slots[kept] = "";
        rows.clear();
        for (int i = 0; i < count; ++i)
            rows.push_back(std::to_string(i) + ": " + slots[i]);
    }

    // Returns whether the join fails. A listed file that is gone stops it:
    // the slots before stay emptied, that one and the later ones keep their paths.
    bool Join(const std::string& output, std::set<std::string>& existing)
    {
        if (output.empty())
            return true;
        existing.insert(output);  // opening the output makes it
        for (int i = 0; i < count; ++i) {
            if (slots[i] == output || slots[i].empty())
                continue;
            if (!existing.count(slots[i]))
                return true;
            slots[i] = "";
        }
        return false;
    }

    // Returns whether the split fails. It adds the row of the bare name first,
    // unless there is no first file at all.
    bool Split(const std::set<std::string>& existing)
    {
        if (slots[0].empty())
            return true;
        rows.push_back(slots[0].substr(slots[0].rfind('/') + 1));
        return !existing.count(slots[0]);
    }
};

unsigned Seed()
{
    const char* chosen = std::getenv("ZORVAKU_MODEL_SEED");
    return chosen ? static_cast<unsigned>(std::strtoul(chosen, nullptr, 10)) : 20261211u;
}

TEST(JoinListModel, TheProgramsListFollowsItsRulesThroughRandomUse)
{
    const unsigned seed = Seed();
    SCOPED_TRACE("seed " + std::to_string(seed) + " (set ZORVAKU_MODEL_SEED to repeat another)");
    std::mt19937 random(seed);
    const auto pick = [&random](int below) { return static_cast<int>(random() % static_cast<unsigned>(below)); };

    TempDir dir;
    ::mkdir((dir / "pieces").c_str(), 0755);
    InDirectory inPieces(dir / "pieces");  // the splits' pieces land here
    std::vector<std::string> files;
    std::set<std::string> existing;
    for (int i = 0; i < 5; ++i) {
        files.push_back(dir / ("f" + std::to_string(i)));
        WriteFile(files.back(), "x");
        existing.insert(files.back());
    }

    JoinList list;
    ReferenceList model;
    for (int step = 0; step < 4000; ++step) {
        std::string what;
        bool failed = false, expectFailure = false;
        const auto attempt = [&](auto action) {
            try {
                action();
            } catch (const OperationError&) {
                failed = true;
            }
        };
        const int choice = pick(100);
        if (choice < 45) {
            const std::string path = pick(10) == 0 ? std::string() : files[pick(5)];
            what = "add " + path;
            attempt([&] { AddFile(list, path); });
            expectFailure = model.Add(path);
        } else if (choice < 65) {
            const int rows = static_cast<int>(model.rows.size());
            const int row = pick(8) == 0 ? std::vector<int>{-1, MaxSlots, MaxSlots + 3}[pick(3)] : pick(rows + 2) - 1;
            what = "remove row " + std::to_string(row);
            RemoveRow(list, row);
            model.Remove(row);
        } else if (choice < 77) {
            const int kind = pick(3);
            const std::string output = kind == 0 ? model.slots[0] : kind == 1 ? dir / "out" : files[pick(5)];
            what = "join onto " + output;
            attempt([&] { JoinListed(list, output); });
            expectFailure = model.Join(output, existing);
            for (const std::string& file : existing)  // joins onto listed files would grow them without end
                WriteFile(file, "x");
        } else if (choice < 87) {
            what = "split";
            attempt([&] { SplitFirst(list); });
            expectFailure = model.Split(existing);
        } else if (choice < 95) {
            const std::string& file = files[pick(5)];
            if (existing.count(file)) {
                what = "remove file " + file;
                ::unlink(file.c_str());
                existing.erase(file);
            } else {
                what = "make file " + file;
                WriteFile(file, "x");
                existing.insert(file);
            }
        } else {
            what = "fill the table";
            for (int i = 0; i <= MaxSlots; ++i) {
                attempt([&] { AddFile(list, files[0]); });
                expectFailure = model.Add(files[0]);
            }
        }

        SCOPED_TRACE("step " + std::to_string(step) + ": " + what);
        ASSERT_EQ(failed, expectFailure);
        ASSERT_EQ(list.FileCount, model.count);
        ASSERT_EQ(std::vector<std::string>(list.FileSlots.begin(), list.FileSlots.end()), model.slots);
        ASSERT_EQ(list.Rows, model.rows);
    }
}

}  // namespace
