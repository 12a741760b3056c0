#pragma once

#include <array>
#include <string>
#include <vector>

#include "fileops/progress.h"

namespace zorvaku {

// Slots in the join list's table: at most this many files can be listed.
inline constexpr int MaxSlots = 100;

// The files picked for joining (or, one alone, for splitting), kept side by
// side as a table of paths that the join and the split read, and as the text
// rows that the window's list box shows and never reads back.
struct JoinList {
    // Listed paths, byte strings as the file system holds them; "" marks an empty slot.
    std::array<std::string, MaxSlots> FileSlots;
    // The slot the next added file goes into, and the end of every walk over the slots.
    int FileCount = 0;
    // The display rows, "i: path" for slot i, plus a bare name for each split.
    std::vector<std::string> Rows;
};

// The join list of this process, which the window's handlers work on.
extern JoinList TheJoinList;

// The display row of slot i holding path: i in decimal, ": ", the path.
std::string DisplayRow(int i, const std::string& path);

// Adds fullFileName at slot FileCount with its display row and counts it.
// An empty name (no file selected) adds nothing. A file beyond MaxSlots is
// refused with an OperationError and nothing changes.
void AddFile(JoinList& list, const std::string& fullFileName);

// Removes row `row` of the display: empties the slot of that index, packs the
// non-empty slots of 0..FileCount-1 to the front in their order, sets
// FileCount to their number, empties the slot after them, and rebuilds the
// rows from the slots. This also drops the bare rows of splits and the slots
// a join emptied. A row of -1 (none selected) or one past the table does
// nothing; the result says whether anything was done.
bool RemoveRow(JoinList& list, int row);

// Joins the listed files onto output (see JoinFiles): slots 0..FileCount-1 are
// emptied as they are joined; FileCount and the rows stay as they are.
void JoinListed(JoinList& list, const std::string& output, const ProgressFn& progress = {});

// Splits the file of slot 0 into pieces in the working directory (see
// SplitFile), after adding a row that holds its bare name. Slots and
// FileCount stay as they are. An empty slot 0 (a join onto another file
// emptied it) is refused before anything is added.
void SplitFirst(JoinList& list, const ProgressFn& progress = {});

}  // namespace zorvaku
