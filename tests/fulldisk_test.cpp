#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include "fileops/join.h"
#include "fileops/operationerror.h"
#include "fileops/split.h"
#include "tests/testsupport.h"

using namespace zorvaku;
using namespace zorvaku::test;

namespace {

constexpr std::uint64_t MiB = std::uint64_t{1} << 20;

// A real full disk: a tmpfs of 4 MiB mounted for the test, with a filler file
// that leaves `free` bytes (give or take a page) for the test's writes.
class FullDiskTest : public testing::Test {
protected:
    void SetUp() override
    {
        ::mkdir(disk.c_str(), 0755);
        if (::mount("zorvaku-full", disk.c_str(), "tmpfs", 0, "size=4m") != 0)
            GTEST_SKIP() << "mounting a tmpfs is not permitted here (" << std::strerror(errno)
                         << "): the real full disk is not tried";
        mounted = true;
    }
    void TearDown() override
    {
        if (mounted)
            ::umount2(disk.c_str(), MNT_DETACH);
    }
    void LeaveFree(std::uint64_t free) { WriteFile(disk + "/filler", std::string(4 * MiB - free, 'f')); }
    void FreeSpace() { ::unlink((disk + "/filler").c_str()); }

    TempDir dir;
    const std::string disk = dir / "disk";
    bool mounted = false;
};

TEST_F(FullDiskTest, AJoinFailingInsideASourceIsCutBackAndFinishesOnceThereIsRoom)
{
    const std::string a = Pattern(MiB, 1), b = Pattern(2 * MiB, 2), c = Pattern(1000, 3);
    WriteFile(dir / "a", a);
    WriteFile(dir / "b", b);
    WriteFile(dir / "c", c);
    const std::string output = disk + "/joined";
    WriteFile(output, "head");
    LeaveFree(MiB + MiB / 2);  // a fits, b does not

    std::vector<std::string> slots{dir / "a", dir / "b", dir / "c"};
    try {
        JoinFiles(slots, output);
        FAIL() << "the join reported success on a full disk";
    } catch (const OperationError& error) {
        EXPECT_EQ(error.action(), Action::Write);
        EXPECT_EQ(error.file(), output);
        EXPECT_EQ(error.reason(), SystemReason(ENOSPC));
    }
    EXPECT_TRUE(ReadFile(output) == "head" + a) << "cut back to its length before b";
    EXPECT_EQ(slots, (std::vector<std::string>{"", dir / "b", dir / "c"}));

    FreeSpace();
    JoinFiles(slots, output);
    EXPECT_TRUE(ReadFile(output) == "head" + a + b + c);
    EXPECT_EQ(slots, (std::vector<std::string>{"", "", ""}));
}

TEST_F(FullDiskTest, ASplitFailingInsideAPieceLeavesThePiecesAsTheyWereAndRepeatsExactly)
{
    const std::string data = Pattern(5 * MiB / 2, 4);
    WriteFile(dir / "big.dat", data);
    InDirectory inDisk(disk);
    WriteFile("1big.dat", "old");  // a piece there before, which gets appended to
    LeaveFree(3 * MiB / 2);        // piece 0 fits, piece 1 does not

    try {
        SplitFile(dir / "big.dat");
        FAIL() << "the split reported success on a full disk";
    } catch (const OperationError& error) {
        EXPECT_EQ(error.operation(), Operation::Split);
        EXPECT_EQ(error.file(), "1big.dat");
        EXPECT_EQ(error.reason().rfind(SystemReason(ENOSPC), 0), 0u) << error.what();
    }
    EXPECT_FALSE(Exists("0big.dat")) << "the piece the split made is removed";
    EXPECT_EQ(ReadFile("1big.dat"), "old") << "cut back to its length before the split";
    EXPECT_FALSE(Exists("2big.dat"));
    EXPECT_TRUE(ReadFile(dir / "big.dat") == data);

    FreeSpace();
    SplitFile(dir / "big.dat");
    const std::uint64_t million = 1000000;
    EXPECT_TRUE(ReadFile("0big.dat") == data.substr(0, million));
    EXPECT_TRUE(ReadFile("1big.dat") == "old" + data.substr(million, million));
    EXPECT_TRUE(ReadFile("2big.dat") == data.substr(2 * million));
    EXPECT_FALSE(Exists("3big.dat"));
}

}  // namespace
