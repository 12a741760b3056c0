#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "fileops/copier.h"
#include "fileops/operationerror.h"
#include "tests/testsupport.h"

using namespace zorvaku;
using namespace zorvaku::test;

namespace {

class CopierTest : public testing::Test {
protected:
    void TearDown() override
    {
        SourceStream.Close();
        TargetStream.Discard();
    }

    // The counts of every ReadBlock until the first 0, with the bytes read.
    std::vector<std::size_t> ReadAll(const std::string& path, std::string& bytes)
    {
        std::vector<std::size_t> counts;
        SourceStream.Open(path, Operation::Join);
        while (const std::size_t count = SourceStream.ReadBlock()) {
            counts.push_back(count);
            bytes.append(CopyBuffer.data(), count);
        }
        EXPECT_EQ(SourceStream.ReadBlock(), 0u) << "a read after the end must give 0 again";
        SourceStream.Close();
        return counts;
    }

    // Expects body to throw an OperationError for file with the system's reason for err.
    template <typename Body>
    void ExpectFailure(Body body, Action action, const std::string& file, int err)
    {
        try {
            body();
            ADD_FAILURE() << "no error for " << file;
        } catch (const OperationError& error) {
            EXPECT_EQ(error.action(), action) << error.what();
            EXPECT_EQ(error.file(), file);
            if (err != 0) {
                EXPECT_EQ(error.reason(), SystemReason(err)) << error.what();
            }
        }
    }

    TempDir dir;
};

TEST_F(CopierTest, ReadsFullBlocksUntilTheLastThenTheRest)
{
    const std::uint64_t inner = std::uint64_t{1} << 20;  // crossings of the stream's own buffer
    for (std::uint64_t size : std::initializer_list<std::uint64_t>{
             0, 1, 19999, 20000, 20001, 45000, inner - 1, inner, inner + 1, 3 * inner + 12345}) {
        SCOPED_TRACE(size);
        const std::string data = Pattern(size, static_cast<unsigned>(size));
        WriteFile(dir / "in", data);
        std::string bytes;
        const auto counts = ReadAll(dir / "in", bytes);
        EXPECT_EQ(bytes, data);
        ASSERT_EQ(counts.size(), (size + BlockSize - 1) / BlockSize);
        for (std::size_t i = 0; i + 1 < counts.size(); ++i)
            EXPECT_EQ(counts[i], BlockSize);
    }
}

TEST_F(CopierTest, TwoAndAQuarterBlocks)
{
    WriteFile(dir / "in", Pattern(45000));
    std::string bytes;
    EXPECT_EQ(ReadAll(dir / "in", bytes), (std::vector<std::size_t>{20000, 20000, 5000}));
}

TEST_F(CopierTest, CopiesEveryByteValueUnchanged)
{
    std::string data = "line\r\nnext\n\r\x1a\x1a";
    data += std::string("\0\0\xff", 3);
    for (int byte = 0; byte < 256; ++byte)
        data += static_cast<char>(byte);
    WriteFile(dir / "in", data);
    SourceStream.Open(dir / "in", Operation::Join);
    TargetStream.Open(dir / "out", Operation::Join);
    while (const std::size_t count = SourceStream.ReadBlock())
        TargetStream.WriteBlock(count);
    TargetStream.Close();
    EXPECT_EQ(ReadFile(dir / "out"), data);
}

TEST_F(CopierTest, AppendingCreatesAMissingFileAndKeepsAnExistingOne)
{
    TargetStream.Open(dir / "new", Operation::Join);
    TargetStream.Close();
    EXPECT_TRUE(Exists(dir / "new"));
    EXPECT_EQ(FileSize(dir / "new"), 0u);

    WriteFile(dir / "old", "kept");
    TargetStream.Open(dir / "old", Operation::Join);
    CopyBuffer[0] = '+';
    TargetStream.WriteBlock(1);
    TargetStream.Close();
    EXPECT_EQ(ReadFile(dir / "old"), "kept+");
}

TEST_F(CopierTest, EveryWriteLandsAtTheEndAnotherWriterLeft)
{
    WriteFile(dir / "out", "start:");
    TargetStream.Open(dir / "out", Operation::Join);
    CopyBuffer[0] = 'a';
    TargetStream.WriteBlock(1);
    TargetStream.Flush();

    const int other = ::open((dir / "out").c_str(), O_WRONLY | O_APPEND);
    ASSERT_GE(other, 0);
    ASSERT_EQ(::write(other, "OTHER", 5), 5);
    ::close(other);

    CopyBuffer[0] = 'b';
    TargetStream.WriteBlock(1);
    TargetStream.Close();
    EXPECT_EQ(ReadFile(dir / "out"), "start:aOTHERb");
}

TEST_F(CopierTest, OpenForReadingRefusesWhatIsNoReadableRegularFile)
{
    ::mkdir((dir / "sub").c_str(), 0755);
    ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0644), 0);  // opening it must not wait for a writer
    ExpectFailure([&] { SourceStream.Open(dir / "missing", Operation::Join); }, Action::Open, dir / "missing", ENOENT);
    ExpectFailure([&] { SourceStream.Open(dir / "sub", Operation::Join); }, Action::Open, dir / "sub", EISDIR);
    ExpectFailure([&] { SourceStream.Open(dir / "fifo", Operation::Join); }, Action::Open, dir / "fifo", 0);
    ExpectFailure([&] { SourceStream.Open("", Operation::Join); }, Action::Open, "", 0);
    ExpectFailure([&] { SourceStream.Open("/dev/zero", Operation::Split); }, Action::Open, "/dev/zero", 0);
    EXPECT_FALSE(SourceStream.IsOpen());
}

TEST_F(CopierTest, OpenForAppendingRefusesWhatCannotTakeBytes)
{
    ::mkdir((dir / "sub").c_str(), 0755);
    ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0644), 0);  // no reader: refused, not waited for
    ExpectFailure([&] { TargetStream.Open(dir / "no/such/dir", Operation::Join); }, Action::Open, dir / "no/such/dir",
        ENOENT);
    ExpectFailure([&] { TargetStream.Open(dir / "sub", Operation::Join); }, Action::Open, dir / "sub", EISDIR);
    ExpectFailure([&] { TargetStream.Open(dir / "fifo", Operation::Join); }, Action::Open, dir / "fifo", ENXIO);
    ExpectFailure([&] { TargetStream.Open("", Operation::Join); }, Action::Open, "", 0);
    EXPECT_FALSE(TargetStream.IsOpen());
}

TEST_F(CopierTest, AFullDiskIsReportedNotIgnored)
{
    TargetStream.Open("/dev/full", Operation::Join);
    CopyBuffer.fill('x');
    TargetStream.WriteBlock(BlockSize);
    ExpectFailure([&] { TargetStream.Close(); }, Action::Write, "/dev/full", ENOSPC);

    // Also when the inner buffer fills in the middle of a long copy.
    TargetStream.Open("/dev/full", Operation::Split);
    ExpectFailure([&] {
        for (int i = 0; i < 100; ++i)
            TargetStream.WriteBlock(BlockSize);
    }, Action::Write, "/dev/full", ENOSPC);
}

TEST_F(CopierTest, CutBackDropsQueuedBytesAndRestoresTheLength)
{
    WriteFile(dir / "out", "0123456789");
    TargetStream.Open(dir / "out", Operation::Join);
    CopyBuffer.fill('x');
    for (int i = 0; i < 60; ++i)  // more than the inner buffer holds: part of it reaches the file
        TargetStream.WriteBlock(BlockSize);
    EXPECT_GT(FileSize(dir / "out"), 10u);
    EXPECT_EQ(TargetStream.CutBack(10), 0);
    TargetStream.Close();
    EXPECT_EQ(ReadFile(dir / "out"), "0123456789");
}

TEST(OperationErrorText, NamesOperationFileAndReasonInJapanese)
{
    const OperationError error(Operation::Join, Action::Read, "/d/b.bin", SystemReason(EIO));
    EXPECT_STREQ(error.what(), "結合できません: 「/d/b.bin」を読み込めません（入出力エラーです）");
    EXPECT_EQ(SystemReason(ENOSPC), "ディスクに空き領域がありません");
    EXPECT_NE(SystemReason(EHWPOISON).find(std::to_string(EHWPOISON)), std::string::npos)
        << "an errno without a Japanese text still says which it is";
}

}  // namespace
