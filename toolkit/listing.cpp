#include "toolkit/listing.h"

#include <algorithm>
#include <memory>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

namespace zorvaku {

namespace {

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

unsigned char Folded(char c)
{
    return static_cast<unsigned char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
}

// <0, 0 or >0 as a is before, level with or after b byte by byte, ASCII
// letters without regard to case.
int FoldedCompare(std::string_view a, std::string_view b)
{
    for (std::size_t i = 0; i < a.size() && i < b.size(); ++i) {
        if (Folded(a[i]) != Folded(b[i]))
            return Folded(a[i]) < Folded(b[i]) ? -1 : 1;
    }
    return (a.size() > b.size()) - (a.size() < b.size());
}

// <0, 0 or >0 as a is before, level with or after b in natural order, before
// the byte-order tie-break.
int NaturalCompare(std::string_view a, std::string_view b)
{
    std::size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        if (IsDigit(a[i]) && IsDigit(b[j])) {
            // Compare the runs' values: without leading zeros, the longer run
            // is the larger number; equally long runs compare digit by digit.
            while (i < a.size() && a[i] == '0')
                ++i;
            while (j < b.size() && b[j] == '0')
                ++j;
            std::size_t endA = i, endB = j;
            while (endA < a.size() && IsDigit(a[endA]))
                ++endA;
            while (endB < b.size() && IsDigit(b[endB]))
                ++endB;
            if (endA - i != endB - j)
                return endA - i < endB - j ? -1 : 1;
            if (const int order = a.substr(i, endA - i).compare(b.substr(j, endB - j)))
                return order;
            i = endA;
            j = endB;
            continue;
        }
        if (Folded(a[i]) != Folded(b[j]))
            return Folded(a[i]) < Folded(b[j]) ? -1 : 1;
        ++i;
        ++j;
    }
    return (i < a.size()) - (j < b.size());
}

struct DirCloser {
    void operator()(DIR* dir) const { ::closedir(dir); }
};

// The names in directory of one kind, not hidden: entries of type entryType,
// and links to files of mode fileType (a link is followed to what it names).
std::vector<std::string> ListEntries(const std::string& directory, unsigned char entryType, mode_t fileType)
{
    std::vector<std::string> names;
    const std::unique_ptr<DIR, DirCloser> dir(::opendir(directory.c_str()));
    if (!dir)
        return names;
    const int dirFd = ::dirfd(dir.get());
    while (const dirent* entry = ::readdir(dir.get())) {
        if (entry->d_name[0] == '.')
            continue;
        bool wanted = entry->d_type == entryType;
        if (entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN) {
            struct stat status;
            wanted = ::fstatat(dirFd, entry->d_name, &status, 0) == 0 && (status.st_mode & S_IFMT) == fileType;
        }
        if (wanted)
            names.emplace_back(entry->d_name);
    }
    return names;
}

}  // namespace

bool NaturalLess(std::string_view a, std::string_view b)
{
    const int order = NaturalCompare(a, b);
    return order != 0 ? order < 0 : a < b;
}

std::vector<std::string> ListPlainFiles(const std::string& directory)
{
    std::vector<std::string> names = ListEntries(directory, DT_REG, S_IFREG);
    std::sort(names.begin(), names.end(), NaturalLess);
    return names;
}

std::vector<std::string> ListSubdirectories(const std::string& directory)
{
    std::vector<std::string> names = ListEntries(directory, DT_DIR, S_IFDIR);
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        const int order = FoldedCompare(a, b);
        return order != 0 ? order < 0 : a < b;
    });
    return names;
}

std::vector<std::string> DirectoryLevels(const std::string& directory)
{
    std::vector<std::string> levels{"/"};
    for (std::size_t end = 1; end <= directory.size(); ++end) {
        if ((end == directory.size() || directory[end] == '/') && directory[end - 1] != '/')
            levels.push_back(directory.substr(0, end));
    }
    return levels;
}

}  // namespace zorvaku
