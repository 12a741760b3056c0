#pragma once

#include <string>

#include "fileops/progress.h"

namespace zorvaku {

// Reads of BlockSize bytes that fill one piece: a full piece holds one
// million bytes.
inline constexpr int BlocksPerPiece = 50;

// Cuts source into pieces named 0<base>, 1<base>, 2<base> … (see PieceName)
// in the working directory, where <base> is the source's base name. Piece k
// gets the source's bytes from k million on, up to one million of them; an
// existing piece keeps its bytes and the new ones go after them. A piece is
// closed after BlocksPerPiece reads, and the next one opened at once: when the
// source ends exactly on its last block, one further empty piece is made. An
// empty source gives an empty piece 0.
//
// Throws OperationError, and then leaves the directory as it was before the
// split: the pieces it made are removed and those it appended to are cut
// back to their former length, so that running it again once the cause is
// gone gives every piece exactly once. The source is opened before any piece
// is made. A piece name that opens the source itself is refused before
// anything is written to it.
//
// progress hears of the source as the split starts and of the bytes copied.
void SplitFile(const std::string& source, const ProgressFn& progress = {});

}  // namespace zorvaku
