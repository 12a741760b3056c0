#pragma once

#include <cstdint>
#include <string>

namespace zorvaku {

// How a platform writes paths: its separator byte and the lead bytes of its
// code page's double-byte characters. A lead byte and the byte after it form
// one character, even when that second byte equals the separator.
struct PathConvention {
    char separator;
    bool (*isLeadByte)(unsigned char byte);
};

// POSIX: '/' separates, and no multi-byte encoding in use on Linux puts a
// '/' byte inside a character, so there are no lead bytes to honour.
extern const PathConvention PosixPaths;

// Drive letters and backslashes with the Shift-JIS code page (932), whose
// lead bytes are 0x81-0x9F and 0xE0-0xFC.
extern const PathConvention DriveLetterPaths;

// The convention of the file system this build runs on.
inline const PathConvention& PlatformPaths = PosixPaths;

// The part of path after its last separator character; the whole path when it
// holds none. Scanned by characters, so the second byte of a double-byte
// character is never taken for a separator: a byte-wise scan would cut
// "表.bin" (0x95 0x5C ...) down to ".bin", and two such sources would then
// share their pieces' names.
std::string BaseName(const std::string& path, const PathConvention& convention);

// The file list's full file name: directory, one separator unless the
// directory's last character already is one, then the name. A double-byte
// character whose second byte equals the separator does not count as one.
std::string FullFileName(const std::string& directory, const std::string& name, const PathConvention& convention);

// The name of piece number `piece` of a split: the number in plain decimal,
// directly followed by the source's base name. It has no directory part.
std::string PieceName(std::int64_t piece, const std::string& baseName);

}  // namespace zorvaku
