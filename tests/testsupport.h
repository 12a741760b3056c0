#pragma once

#include <cstdint>
#include <string>

namespace zorvaku::test {

// A fresh directory under the system's temporary directory, removed with
// everything in it when the object goes.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return path_; }
    // path() + "/" + name.
    std::string operator/(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

// Makes directory the working directory until the object goes, then goes back.
class InDirectory {
public:
    explicit InDirectory(const std::string& directory);
    ~InDirectory();
    InDirectory(const InDirectory&) = delete;
    InDirectory& operator=(const InDirectory&) = delete;

private:
    std::string previous_;
};

// size bytes that differ from block to block and from seed to seed, so that a
// lost, doubled or misplaced block shows in a comparison.
std::string Pattern(std::uint64_t size, unsigned seed = 1);

// Writes bytes to path, replacing what it held. Fails the test on error.
void WriteFile(const std::string& path, const std::string& bytes);
// The whole contents of path ("" when missing; see Exists).
std::string ReadFile(const std::string& path);
bool Exists(const std::string& path);
std::uint64_t FileSize(const std::string& path);

}  // namespace zorvaku::test
