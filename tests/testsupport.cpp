#include "tests/testsupport.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zorvaku::test {

TempDir::TempDir()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "zorvaku-test-XXXXXX").string();
    if (!::mkdtemp(pattern.data()))
        throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
}

TempDir::~TempDir()
{
    std::error_code ignored;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all, ignored);
    std::filesystem::remove_all(path_, ignored);
}

InDirectory::InDirectory(const std::string& directory)
    : previous_(std::filesystem::current_path().string())
{
    if (::chdir(directory.c_str()) != 0)
        throw std::runtime_error("chdir failed: " + directory);
}

InDirectory::~InDirectory()
{
    if (::chdir(previous_.c_str()) != 0)
        std::abort();
}

std::string Pattern(std::uint64_t size, unsigned seed)
{
    std::string bytes(size, '\0');
    std::uint32_t state = seed * 2654435761u + 1;
    for (auto& byte : bytes) {
        state = state * 1664525u + 1013904223u;
        byte = static_cast<char>(state >> 24);
    }
    return bytes;
}

void WriteFile(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out.flush())
        throw std::runtime_error("cannot write " + path);
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream contents;
    contents << in.rdbuf();
    return contents.str();
}

bool Exists(const std::string& path)
{
    struct stat status;
    return ::lstat(path.c_str(), &status) == 0;
}

std::uint64_t FileSize(const std::string& path)
{
    struct stat status;
    return ::stat(path.c_str(), &status) == 0 ? static_cast<std::uint64_t>(status.st_size) : 0;
}

}  // namespace zorvaku::test
