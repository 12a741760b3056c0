#include <gtest/gtest.h>

#include <algorithm>
#include <climits>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include "fileops/join.h"
#include "fileops/operationerror.h"
#include "fileops/split.h"
#include "tests/testsupport.h"

using namespace zorvaku;
using namespace zorvaku::test;
using Slots = std::vector<std::string>;

namespace {

// Files that change between the pick and the join, or while it runs; names
// the system cannot take. Each ends with the right bytes or a clear error
// with nothing lost. (Removed sources, sources that became directories and
// output directories that are gone are in join_test.)
class ChangingFilesTest : public testing::Test {
protected:
    TempDir dir;
};

TEST_F(ChangingFilesTest, ASourceTruncatedAfterThePickJoinsWhatItHoldsNow)
{
    WriteFile(dir / "a", "A");
    WriteFile(dir / "b", Pattern(100000));
    Slots slots{dir / "a", dir / "b"};
    ASSERT_EQ(::truncate((dir / "b").c_str(), 30000), 0);
    JoinFiles(slots, dir / "a");
    EXPECT_TRUE(ReadFile(dir / "a") == "A" + Pattern(100000).substr(0, 30000));
    EXPECT_EQ(slots, (Slots{dir / "a", ""}));
}

TEST_F(ChangingFilesTest, NamesLongerThanTheSystemTakesAreRefusedAndChangeNothing)
{
    WriteFile(dir / "a", "A");
    WriteFile(dir / "b", "B");
    const std::string tooLong = dir / std::string(NAME_MAX + 1, 'n');
    Slots slots{dir / "a", dir / "b"};
    try {
        JoinFiles(slots, tooLong);
        ADD_FAILURE() << "no error";
    } catch (const OperationError& error) {
        EXPECT_EQ(error.reason(), SystemReason(ENAMETOOLONG));
    }
    EXPECT_EQ(slots, (Slots{dir / "a", dir / "b"}));

    // A source whose name is as long as allowed: its pieces' names are one
    // byte longer, so the very first piece cannot be made.
    const std::string longest(NAME_MAX, 'x');
    WriteFile(dir / longest, Pattern(10));
    InDirectory inDir(dir.path());
    try {
        SplitFile(dir / longest);
        ADD_FAILURE() << "no error";
    } catch (const OperationError& error) {
        EXPECT_EQ(error.file(), "0" + longest);
        EXPECT_EQ(error.reason(), SystemReason(ENAMETOOLONG));
    }
    EXPECT_EQ(ReadFile(dir / longest), Pattern(10));
}

// Another process appends records of 0xFF bytes to the output all the while
// the join runs. The sources hold no 0xFF byte, so afterwards the file must
// be the join's bytes with whole records of the other writer between them.
TEST_F(ChangingFilesTest, AnotherWriterAppendingMeanwhileLosesNothingAndNeitherDoesTheJoin)
{
    constexpr std::size_t Record = 512;
    Slots slots;
    std::string joined = "head";
    for (unsigned i = 0; i < 3; ++i) {
        std::string data = Pattern(8u << 20, i + 1);
        std::transform(data.begin(), data.end(), data.begin(), [](char c) { return static_cast<char>(c & 0x7f); });
        slots.push_back(dir / ("s" + std::to_string(i)));
        WriteFile(slots.back(), data);
        joined += data;
    }
    const std::string output = dir / "out";
    WriteFile(output, "head");

    int stop[2], report[2];
    ASSERT_EQ(::pipe(stop), 0);
    ASSERT_EQ(::pipe(report), 0);
    const pid_t other = ::fork();
    ASSERT_GE(other, 0);
    if (other == 0) {
        // The other writer: appends records until told to stop, then says how many.
        ::close(stop[1]);
        ::fcntl(stop[0], F_SETFL, O_NONBLOCK);
        const int fd = ::open(output.c_str(), O_WRONLY | O_APPEND);
        const std::string record(Record, '\xff');
        long records = 0;
        char byte;
        while (::read(stop[0], &byte, 1) < 0) {
            if (::write(fd, record.data(), Record) == static_cast<ssize_t>(Record))
                ++records;
        }
        (void)!::write(report[1], &records, sizeof records);
        ::_exit(0);
    }
    ::close(stop[0]);
    ::usleep(20000);  // the other writer is under way before the join starts

    JoinFiles(slots, output);

    (void)!::write(stop[1], "x", 1);
    long records = 0;
    ASSERT_EQ(::read(report[0], &records, sizeof records), static_cast<ssize_t>(sizeof records));
    ::waitpid(other, nullptr, 0);

    const std::string result = ReadFile(output);
    std::string ours;
    std::size_t theirs = 0, turns = 0;
    for (std::size_t i = 0; i < result.size(); ++i) {
        if (result[i] == '\xff')
            ++theirs;
        else
            ours += result[i];
        turns += i > 0 && (result[i] == '\xff') != (result[i - 1] == '\xff');
    }
    RecordProperty("turns", static_cast<int>(turns));  // how often the writers took turns in the file
    EXPECT_GT(records, 0);
    EXPECT_EQ(theirs, static_cast<std::size_t>(records) * Record) << "every byte the other writer wrote is there";
    EXPECT_TRUE(ours == joined) << "every byte of the join is there, once, in order";
}

}  // namespace
