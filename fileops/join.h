#pragma once

#include <span>
#include <string>

#include "fileops/progress.h"

namespace zorvaku {

// Appends the files named by slots, in order, to the end of output, which is
// created when missing and never truncated. A slot is skipped and keeps its
// path when it names the output itself: byte for byte, or in another form
// (a relative name, a link) that opens the same file, since reading a file
// while appending to it would never end. Every other slot is emptied once its
// file has been appended; an empty slot is just left empty.
//
// Throws OperationError and then leaves things so that running the join again
// after the cause is gone finishes it with no byte lost or doubled: when the
// output cannot be opened nothing changes; when a file cannot be opened or
// read, or the output cannot be written, the output is cut back to its length
// before that file, and that slot and the later ones keep their paths.
//
// progress hears of every file as it starts and of the bytes appended.
void JoinFiles(std::span<std::string> slots, const std::string& output, const ProgressFn& progress = {});

}  // namespace zorvaku
