#include <gtest/gtest.h>

#include <csignal>
#include <vector>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include "fileops/join.h"
#include "fileops/operationerror.h"
#include "tests/testsupport.h"

using namespace zorvaku;
using namespace zorvaku::test;
using Slots = std::vector<std::string>;

namespace {

class JoinTest : public testing::Test {
protected:
    void SetUp() override
    {
        WriteFile(A, a);
        WriteFile(B, b);
        WriteFile(C, c);
    }

    TempDir dir;
    const std::string A = dir / "a.bin", B = dir / "b.bin", C = dir / "c.bin", D = dir / "d.bin";
    const std::string a = Pattern(45000, 1), b = Pattern(20001, 2), c = Pattern(3, 3);
};

// Sets the largest file this process may write, for a real write failure on
// a regular file (EFBIG) in the middle of a join; restores it when it goes.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        std::signal(SIGXFSZ, SIG_IGN);
        ::getrlimit(RLIMIT_FSIZE, &saved_);
        rlimit limit = saved_;
        limit.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() { ::setrlimit(RLIMIT_FSIZE, &saved_); }

private:
    rlimit saved_;
};

TEST_F(JoinTest, OntoTheFirstFileInPlace)
{
    Slots slots{A, B, C};
    JoinFiles(slots, A);
    EXPECT_EQ(ReadFile(A), a + b + c);
    EXPECT_EQ(slots, (Slots{A, "", ""}));
    EXPECT_EQ(ReadFile(B), b) << "sources are only read";
}

TEST_F(JoinTest, OntoANewFile)
{
    Slots slots{A, B, C};
    JoinFiles(slots, D);
    EXPECT_EQ(ReadFile(D), a + b + c);
    EXPECT_EQ(slots, (Slots{"", "", ""}));
}

TEST_F(JoinTest, OntoTheEndOfAnExistingUnlistedFile)
{
    WriteFile(D, "existing");
    Slots slots{A, B};
    JoinFiles(slots, D);
    EXPECT_EQ(ReadFile(D), "existing" + a + b);
}

TEST_F(JoinTest, AFileListedTwiceIsJoinedTwiceUnlessItIsTheOutput)
{
    Slots slots{A, B, A};
    JoinFiles(slots, D);
    EXPECT_EQ(ReadFile(D), a + b + a);

    Slots ontoFirst{A, B, A};
    JoinFiles(ontoFirst, A);
    EXPECT_EQ(ReadFile(A), a + b);
    EXPECT_EQ(ontoFirst, (Slots{A, "", A}));
}

TEST_F(JoinTest, EmptyFilesAndEmptySlots)
{
    WriteFile(dir / "empty", "");
    Slots slots{A, dir / "empty", "", B};
    JoinFiles(slots, D);
    EXPECT_EQ(ReadFile(D), a + b);
    EXPECT_EQ(slots, (Slots{"", "", "", ""}));
}

TEST_F(JoinTest, RunningItAgainAddsNothingAndRecreatesADeletedOutput)
{
    Slots slots{A, B, C};
    JoinFiles(slots, A);
    JoinFiles(slots, A);
    EXPECT_EQ(ReadFile(A), a + b + c);

    Slots others{A, B};
    JoinFiles(others, D);
    ::unlink(D.c_str());
    JoinFiles(others, D);
    EXPECT_TRUE(Exists(D));
    EXPECT_EQ(FileSize(D), 0u);
}

TEST_F(JoinTest, BlockAndPieceBoundariesJoinByteForByte)
{
    Slots slots;
    std::string expected;
    unsigned seed = 10;
    for (std::uint64_t size : {0, 1, 19999, 20000, 20001, 999999, 1000000, 1000001}) {
        const std::string data = Pattern(size, ++seed);
        slots.push_back(dir / ("s" + std::to_string(size)));
        WriteFile(slots.back(), data);
        expected += data;
    }
    JoinFiles(slots, D);
    EXPECT_EQ(FileSize(D), expected.size());
    EXPECT_TRUE(ReadFile(D) == expected);
}

// The output named in a form other than its slot's: the slot must be skipped
// like the byte-equal one, or the join reads the file it is appending to.
TEST_F(JoinTest, TheOutputUnderAnotherNameIsNeverAppendedToItself)
{
    ASSERT_EQ(::symlink(A.c_str(), (dir / "link").c_str()), 0);
    ASSERT_EQ(::link(A.c_str(), (dir / "hard").c_str()), 0);
    InDirectory inDir(dir.path());
    const std::vector<std::pair<std::string, std::string>> cases{
        {"relative", "a.bin"},
        {"dot", "./a.bin"},
        {"doubled_separator", dir.path() + "//a.bin"},
        {"symbolic_link", dir / "link"},
        {"hard_link", dir / "hard"},
    };
    for (const auto& [title, output] : cases) {
        SCOPED_TRACE(title);
        WriteFile(A, a);
        Slots slots{A, B};
        JoinFiles(slots, output);
        EXPECT_EQ(ReadFile(A), a + b);
        EXPECT_EQ(slots, (Slots{A, ""})) << "the output's slot keeps its path";
    }
}

TEST_F(JoinTest, AnOutputThatCannotBeOpenedChangesNothing)
{
    for (const std::string& output : {dir / "missing/d.bin", dir.path(), std::string()}) {
        SCOPED_TRACE(output);
        Slots slots{A, B};
        try {
            JoinFiles(slots, output);
            ADD_FAILURE() << "no error";
        } catch (const OperationError& error) {
            EXPECT_EQ(error.operation(), Operation::Join);
            EXPECT_EQ(error.action(), Action::Open);
            EXPECT_EQ(error.file(), output);
        }
        EXPECT_EQ(slots, (Slots{A, B}));
        EXPECT_EQ(ReadFile(A), a);
    }
}

TEST_F(JoinTest, ASourceThatCannotBeReadStopsTheJoinBeforeIt)
{
    ::mkdir((dir / "sub").c_str(), 0755);
    for (const std::string& bad : {dir / "missing.bin", dir / "sub"}) {
        SCOPED_TRACE(bad);
        ::unlink(D.c_str());
        Slots slots{A, bad, C};
        try {
            JoinFiles(slots, D);
            ADD_FAILURE() << "no error";
        } catch (const OperationError& error) {
            EXPECT_EQ(error.file(), bad);
        }
        EXPECT_EQ(ReadFile(D), a);
        EXPECT_EQ(slots, (Slots{"", bad, C}));
    }

    // Once the file is there, the same join finishes with nothing doubled.
    Slots slots{A, dir / "later.bin", C};
    ::unlink(D.c_str());
    EXPECT_THROW(JoinFiles(slots, D), OperationError);
    WriteFile(dir / "later.bin", b);
    JoinFiles(slots, D);
    EXPECT_EQ(ReadFile(D), a + b + c);
    EXPECT_EQ(slots, (Slots{"", "", ""}));
}

TEST_F(JoinTest, AFullDiskIsAnErrorAndEmptiesNoSlot)
{
    Slots slots{A, B};
    try {
        JoinFiles(slots, "/dev/full");
        ADD_FAILURE() << "no error";
    } catch (const OperationError& error) {
        EXPECT_EQ(error.action(), Action::Write);
        EXPECT_EQ(error.reason(), SystemReason(ENOSPC));
    }
    EXPECT_EQ(slots, (Slots{A, B}));
}

TEST_F(JoinTest, AWriteFailingInsideASourceCutsTheOutputBackToBeforeIt)
{
    const std::string big = Pattern(1500000, 7);
    WriteFile(B, big);
    WriteFile(D, "head");
    Slots slots{A, B, C};
    {
        FileSizeLimit limit(4 + a.size() + 700000);  // B fails after 700000 of its bytes
        try {
            JoinFiles(slots, D);
            ADD_FAILURE() << "no error";
        } catch (const OperationError& error) {
            EXPECT_EQ(error.action(), Action::Write);
            EXPECT_EQ(error.file(), D);
            EXPECT_EQ(error.reason(), SystemReason(EFBIG));
        }
    }
    EXPECT_EQ(ReadFile(D), "head" + a);
    EXPECT_EQ(slots, (Slots{"", B, C}));

    JoinFiles(slots, D);
    EXPECT_TRUE(ReadFile(D) == "head" + a + big + c);
}

TEST_F(JoinTest, OntoAnOutputPastFourGibibytes)
{
    const std::uint64_t start = (std::uint64_t{5} << 30) + 7;
    {
        const int fd = ::open(D.c_str(), O_WRONLY | O_CREAT, 0644);
        ASSERT_GE(fd, 0);
        if (::ftruncate(fd, static_cast<off_t>(start)) != 0)
            GTEST_SKIP() << "this file system takes no sparse file of 5 GiB";
        ::close(fd);
    }
    Slots slots{B};
    JoinFiles(slots, D);
    EXPECT_EQ(FileSize(D), start + b.size());
    const int fd = ::open(D.c_str(), O_RDONLY);
    std::string tail(b.size(), '\0');
    EXPECT_EQ(::pread(fd, tail.data(), tail.size(), static_cast<off_t>(start)), static_cast<ssize_t>(b.size()));
    ::close(fd);
    EXPECT_TRUE(tail == b);
}

}  // namespace

namespace {

TEST_F(JoinTest, ProgressNamesEachFileInTurnAndEndsAtTheTotal)
{
    struct Report {
        std::uint64_t done, total;
        std::string file;
    };
    std::vector<Report> reports;
    Slots slots{A, B, A, C};
    JoinFiles(slots, A, [&](const Progress& p) { reports.push_back({p.done, p.total, p.file}); });

    std::vector<std::string> started;
    for (const Report& r : reports) {
        EXPECT_LE(r.done, r.total);
        if (started.empty() || started.back() != r.file)
            started.push_back(r.file);
    }
    EXPECT_EQ((std::vector<std::string>{started.begin(), started.begin() + 2}), (Slots{B, C}));
    ASSERT_FALSE(reports.empty());
    EXPECT_EQ(reports.back().done, b.size() + c.size());
    EXPECT_EQ(reports.back().total, b.size() + c.size()) << "the output's own slots count for nothing";
}

}  // namespace
