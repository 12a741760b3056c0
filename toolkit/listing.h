#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zorvaku {

// Orders names as a person orders numbered files: runs of digits compare by
// their value (2name before 10name), other bytes without regard to the case of
// ASCII letters; names equal in that sense fall back to plain byte order, so
// the order is total. Names are bytes; no encoding is assumed.
bool NaturalLess(std::string_view a, std::string_view b);

// The names of the plain files in directory, in natural order: regular files
// and symbolic links to them, leaving out names that start with "." (hidden),
// directories, devices, FIFOs and sockets. A directory that cannot be read
// gives no names, and no error: the lists show what they can.
std::vector<std::string> ListPlainFiles(const std::string& directory);

// The names of the subdirectories of directory (and of links to directories),
// leaving out hidden ones, in name order without regard to letter case. A
// directory that cannot be read gives none.
std::vector<std::string> ListSubdirectories(const std::string& directory);

// The levels of an absolute path from the root down: "/home/u" gives "/",
// "/home" and "/home/u".
std::vector<std::string> DirectoryLevels(const std::string& directory);

}  // namespace zorvaku
