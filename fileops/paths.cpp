#include "fileops/paths.h"

namespace zorvaku {

namespace {

bool NoLeadBytes(unsigned char)
{
    return false;
}

bool ShiftJisLeadByte(unsigned char byte)
{
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// Calls visit(position, length) for each character of text, in order.
template <typename Visit>
void ForEachCharacter(const std::string& text, const PathConvention& convention, Visit visit)
{
    std::size_t i = 0;
    while (i < text.size()) {
        const std::size_t length =
            convention.isLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size() ? 2 : 1;
        visit(i, length);
        i += length;
    }
}

}  // namespace

const PathConvention PosixPaths{'/', NoLeadBytes};
const PathConvention DriveLetterPaths{'\\', ShiftJisLeadByte};

std::string BaseName(const std::string& path, const PathConvention& convention)
{
    std::size_t start = 0;
    ForEachCharacter(path, convention, [&](std::size_t i, std::size_t length) {
        if (length == 1 && path[i] == convention.separator)
            start = i + 1;
    });
    return path.substr(start);
}

std::string FullFileName(const std::string& directory, const std::string& name, const PathConvention& convention)
{
    bool endsInSeparator = false;
    ForEachCharacter(directory, convention, [&](std::size_t i, std::size_t length) {
        endsInSeparator = length == 1 && directory[i] == convention.separator;
    });
    return endsInSeparator ? directory + name : directory + convention.separator + name;
}

std::string PieceName(std::int64_t piece, const std::string& baseName)
{
    return std::to_string(piece) + baseName;
}

}  // namespace zorvaku
