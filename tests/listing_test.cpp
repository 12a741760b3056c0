#include <gtest/gtest.h>

#include <algorithm>

#include <sys/stat.h>
#include <unistd.h>

#include "tests/testsupport.h"
#include "toolkit/listing.h"

using namespace zorvaku;
using namespace zorvaku::test;
using Names = std::vector<std::string>;

namespace {

TEST(NaturalOrder, NumbersByValueLettersWithoutCase)
{
    const Names ordered{"0big.dat", "1big.dat", "2big.dat", "10big.dat", "11big.dat", "100big.dat",  // split pieces
        "a", "A1", "a2", "a10", "B", "b.txt", "file", "file1", "file1a", "file02", "file2b", "file10", "z", "\xe3\x81\x82"};
    for (std::size_t i = 0; i < ordered.size(); ++i) {
        for (std::size_t j = 0; j < ordered.size(); ++j)
            EXPECT_EQ(NaturalLess(ordered[i], ordered[j]), i < j) << ordered[i] << " / " << ordered[j];
    }
}

TEST(NaturalOrder, NamesEqualButForCaseOrZerosStillHaveAnOrder)
{
    EXPECT_TRUE(NaturalLess("A", "a"));
    EXPECT_FALSE(NaturalLess("a", "A"));
    EXPECT_TRUE(NaturalLess("007", "7"));
    EXPECT_FALSE(NaturalLess("7", "007"));
    EXPECT_FALSE(NaturalLess("x", "x"));
    EXPECT_TRUE(NaturalLess("99999999999999999999998", "99999999999999999999999")) << "no overflow";
}

TEST(ListPlainFiles, ListsRegularFilesAndLinksToThemOnly)
{
    TempDir dir;
    for (const char* name : {"10.bin", "2.bin", "Readme", "\xff\xfe-not-utf8", ".hidden"})
        WriteFile(dir / name, "x");
    ::mkdir((dir / "subdir").c_str(), 0755);
    ::mkfifo((dir / "fifo").c_str(), 0644);
    ::symlink("2.bin", (dir / "link-to-file").c_str());
    ::symlink("subdir", (dir / "link-to-dir").c_str());
    ::symlink("missing", (dir / "dangling").c_str());

    EXPECT_EQ(ListPlainFiles(dir.path()), (Names{"2.bin", "10.bin", "link-to-file", "Readme", "\xff\xfe-not-utf8"}));
}

TEST(ListPlainFiles, AnUnreadableOrMissingDirectoryGivesNothing)
{
    TempDir dir;
    EXPECT_TRUE(ListPlainFiles(dir / "missing").empty());
    EXPECT_TRUE(ListPlainFiles(dir.path()).empty());
    if (::geteuid() != 0) {
        WriteFile(dir / "f", "x");
        ::chmod(dir.path().c_str(), 0311);
        EXPECT_TRUE(ListPlainFiles(dir.path()).empty());
    }
}

}  // namespace

namespace {

TEST(ListSubdirectories, NamesInOrderWithoutCaseLeavingOutHiddenAndFiles)
{
    TempDir dir;
    for (const char* name : {"beta", "Alpha", "alpha", "Gamma", ".hidden"})
        ::mkdir((dir / name).c_str(), 0755);
    WriteFile(dir / "file", "x");
    ::symlink("beta", (dir / "link-to-dir").c_str());
    EXPECT_EQ(ListSubdirectories(dir.path()), (Names{"Alpha", "alpha", "beta", "Gamma", "link-to-dir"}));
    EXPECT_TRUE(ListSubdirectories(dir / "missing").empty());
}

TEST(DirectoryLevels, FromTheRootDown)
{
    EXPECT_EQ(DirectoryLevels("/"), (Names{"/"}));
    EXPECT_EQ(DirectoryLevels("/home"), (Names{"/", "/home"}));
    EXPECT_EQ(DirectoryLevels("/home/u/\xff dir"), (Names{"/", "/home", "/home/u", "/home/u/\xff dir"}));
}

}  // namespace
