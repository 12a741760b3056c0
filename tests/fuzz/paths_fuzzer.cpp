// Fuzzes the path rules under both path conventions: base name, full file
// name and piece name. Besides running clean under the sanitizers, each
// result must have the shape its rule promises.
//
// Input: one byte choosing the convention and the piece number's low bits,
// then the directory, a NUL byte, and the name.

#include <cstdint>
#include <cstdlib>
#include <string>

#include "fileops/paths.h"

using namespace zorvaku;

namespace {

void Check(bool holds)
{
    if (!holds)
        std::abort();
}

// Whether text, read by characters, holds a separator character.
bool HasSeparator(const std::string& text, const PathConvention& convention)
{
    for (std::size_t i = 0; i < text.size();) {
        const bool lead = convention.isLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size();
        if (!lead && text[i] == convention.separator)
            return true;
        i += lead ? 2 : 1;
    }
    return false;
}

// Whether text ends in a lead byte with no byte after it to pair with.
bool EndsInLoneLeadByte(const std::string& text, const PathConvention& convention)
{
    bool lone = false;
    for (std::size_t i = 0; i < text.size();) {
        const bool lead = convention.isLeadByte(static_cast<unsigned char>(text[i]));
        lone = lead && i + 1 == text.size();
        i += lead && i + 1 < text.size() ? 2 : 1;
    }
    return lone;
}

bool EndsWith(const std::string& text, const std::string& end)
{
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const PathConvention& convention = (data[0] & 1) ? DriveLetterPaths : PosixPaths;
    const std::string rest(reinterpret_cast<const char*>(data + 1), size - 1);
    const std::size_t cut = rest.find('\0');
    const std::string directory = rest.substr(0, cut);
    const std::string name = cut == std::string::npos ? std::string() : rest.substr(cut + 1);

    // The base name is a tail of the path with no separator character in it.
    const std::string base = BaseName(directory, convention);
    Check(EndsWith(directory, base));
    Check(!HasSeparator(base, convention));
    Check(BaseName(base, convention) == base);

    // The full file name is the directory, one separator unless it ends in
    // one already, and the name.
    const std::string full = FullFileName(directory, name, convention);
    Check(full.compare(0, directory.size(), directory) == 0 && EndsWith(full, name));
    Check(full.size() == directory.size() + name.size() + (full.size() > directory.size() + name.size() ? 1 : 0));
    if (full.size() > directory.size() + name.size())
        Check(full[directory.size()] == convention.separator);
    // On a directory that ends in a whole character, the name comes back as
    // the base name of the full file name.
    if (!EndsInLoneLeadByte(directory, convention) && !HasSeparator(name, convention))
        Check(BaseName(full, convention) == name);

    // A piece name is the plain decimal number before the base name.
    const std::int64_t piece = (std::int64_t{data[0]} >> 1) * 7919;
    Check(PieceName(piece, base) == std::to_string(piece) + base);
    return 0;
}
