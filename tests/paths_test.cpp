#include <gtest/gtest.h>

#include "fileops/paths.h"

using namespace zorvaku;

namespace {

struct PathCase {
    const char* title;
    const PathConvention* convention;
    std::string path;
    std::string expected;
};

// "表" in Shift-JIS is 0x95 0x5C: its second byte is the backslash's code.
const std::string Hyo = "\x95\x5C";

class BaseNameTest : public testing::TestWithParam<PathCase> {};

TEST_P(BaseNameTest, TakesThePartAfterTheLastSeparatorCharacter)
{
    const PathCase& c = GetParam();
    EXPECT_EQ(BaseName(c.path, *c.convention), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Conventions, BaseNameTest,
    testing::Values(
        PathCase{"posix_nested", &PosixPaths, "/home/u/data.bin", "data.bin"},
        PathCase{"posix_root", &PosixPaths, "/data.bin", "data.bin"},
        PathCase{"posix_no_separator", &PosixPaths, "data.bin", "data.bin"},
        PathCase{"posix_trailing_separator", &PosixPaths, "/home/u/", ""},
        PathCase{"posix_backslash_is_a_name_byte", &PosixPaths, "/d/a\\b", "a\\b"},
        PathCase{"posix_non_utf8_bytes", &PosixPaths, "/d/\xff\x95\x5c.bin", "\xff\x95\x5c.bin"},
        PathCase{"posix_empty", &PosixPaths, "", ""},
        PathCase{"drive_nested", &DriveLetterPaths, "C:\\data\\a.bin", "a.bin"},
        PathCase{"drive_root", &DriveLetterPaths, "C:\\a.bin", "a.bin"},
        PathCase{"drive_no_separator", &DriveLetterPaths, "a.bin", "a.bin"},
        PathCase{"drive_slash_is_a_name_byte", &DriveLetterPaths, "C:\\d\\a/b", "a/b"},
        PathCase{"drive_trail_byte_5c_is_no_separator", &DriveLetterPaths, "C:\\data\\" + Hyo + ".bin",
            Hyo + ".bin"},
        PathCase{"drive_directory_ending_in_trail_5c", &DriveLetterPaths, "C:\\" + Hyo + "\\a.bin", "a.bin"},
        PathCase{"drive_lone_lead_byte_at_end", &DriveLetterPaths, "C:\\d\\a\x95", "a\x95"},
        PathCase{"drive_single_byte_katakana_is_no_lead", &DriveLetterPaths, "C:\\\xB1\\\xB2", "\xB2"}),
    [](const testing::TestParamInfo<PathCase>& info) { return info.param.title; });

struct FullNameCase {
    const char* title;
    const PathConvention* convention;
    std::string directory;
    std::string name;
    std::string expected;
};

class FullFileNameTest : public testing::TestWithParam<FullNameCase> {};

TEST_P(FullFileNameTest, PutsExactlyOneSeparatorBetweenDirectoryAndName)
{
    const FullNameCase& c = GetParam();
    EXPECT_EQ(FullFileName(c.directory, c.name, *c.convention), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Conventions, FullFileNameTest,
    testing::Values(
        FullNameCase{"posix_directory", &PosixPaths, "/home/u", "a.bin", "/home/u/a.bin"},
        FullNameCase{"posix_root", &PosixPaths, "/", "a.bin", "/a.bin"},
        FullNameCase{"posix_directory_ending_in_separator", &PosixPaths, "/home/u/", "a", "/home/u/a"},
        FullNameCase{"posix_name_bytes_kept", &PosixPaths, "/d", "\xff\xfe", "/d/\xff\xfe"},
        FullNameCase{"drive_directory", &DriveLetterPaths, "C:\\data", "a.bin", "C:\\data\\a.bin"},
        FullNameCase{"drive_root", &DriveLetterPaths, "C:\\", "a.bin", "C:\\a.bin"},
        FullNameCase{"drive_directory_ending_in_trail_5c", &DriveLetterPaths, "C:\\" + Hyo, "a.bin",
            "C:\\" + Hyo + "\\a.bin"},
        FullNameCase{"drive_trail_5c_then_separator", &DriveLetterPaths, "C:\\" + Hyo + "\\", "a",
            "C:\\" + Hyo + "\\a"}),
    [](const testing::TestParamInfo<FullNameCase>& info) { return info.param.title; });

TEST(PieceNameTest, PutsThePlainDecimalNumberBeforeTheBaseName)
{
    EXPECT_EQ(PieceName(0, "data.bin"), "0data.bin");
    EXPECT_EQ(PieceName(10, "data.bin"), "10data.bin");
    EXPECT_EQ(PieceName(12345678901, "x"), "12345678901x");
    EXPECT_EQ(PieceName(3, ""), "3");
}

}  // namespace
