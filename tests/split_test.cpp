#include <gtest/gtest.h>

#include <csignal>
#include <vector>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include "fileops/copier.h"
#include "fileops/join.h"
#include "fileops/operationerror.h"
#include "fileops/paths.h"
#include "fileops/split.h"
#include "selection/joinlist.h"
#include "tests/testsupport.h"

using namespace zorvaku;
using namespace zorvaku::test;
using Sizes = std::vector<std::uint64_t>;

namespace {

constexpr std::uint64_t Block = BlockSize, Million = BlockSize * BlocksPerPiece;

// The split's pieces go to the working directory, here `out`, while the
// source lies elsewhere, in `src`, as when the user browsed on after picking.
class SplitTest : public testing::Test {
protected:
    // Sizes of the pieces 0name, 1name … in `out`, up to the first missing one.
    Sizes PieceSizes(const std::string& name)
    {
        Sizes sizes;
        for (int k = 0; Exists(out + "/" + PieceName(k, name)); ++k)
            sizes.push_back(FileSize(out + "/" + PieceName(k, name)));
        return sizes;
    }

    static std::string Made(const std::string& directory)
    {
        ::mkdir(directory.c_str(), 0755);
        return directory;
    }

    TempDir dir;
    const std::string src = Made(dir / "src"), out = Made(dir / "out");
    InDirectory inOut{out};
};

struct SizeCase {
    std::uint64_t size;
    Sizes pieces;
};

class SplitSizes : public SplitTest, public testing::WithParamInterface<SizeCase> {};

TEST_P(SplitSizes, PiecesOfAMillionBytesThatJoinBackToTheSource)
{
    const SizeCase& c = GetParam();
    const std::string data = Pattern(c.size, static_cast<unsigned>(c.size));
    WriteFile(src + "/big.dat", data);

    SplitFile(src + "/big.dat");

    ASSERT_EQ(PieceSizes("big.dat"), c.pieces);
    std::vector<std::string> pieces;
    for (std::size_t k = 0; k < c.pieces.size(); ++k)
        pieces.push_back(PieceName(static_cast<std::int64_t>(k), "big.dat"));
    JoinFiles(pieces, dir / "joined");
    EXPECT_TRUE(ReadFile(dir / "joined") == data);
}

INSTANTIATE_TEST_SUITE_P(BlockBoundaries, SplitSizes,
    testing::Values(
        SizeCase{0, {0}},
        SizeCase{1, {1}},
        SizeCase{Block - 1, {Block - 1}},
        SizeCase{Block, {Block}},
        SizeCase{Block + 1, {Block + 1}},
        SizeCase{49 * Block, {49 * Block}},
        SizeCase{49 * Block + 1, {49 * Block + 1}},             // the 50th read yields one byte: done
        SizeCase{49 * Block + Block / 2, {49 * Block + Block / 2, 0}},  // it yields more: one empty piece
        SizeCase{Million - 1, {Million - 1, 0}},
        SizeCase{Million, {Million, 0}},
        SizeCase{Million + 1, {Million, 1}},
        SizeCase{2 * Million + 1, {Million, Million, 1}},
        SizeCase{5 * Million / 2, {Million, Million, Million / 2}}),
    [](const testing::TestParamInfo<SizeCase>& info) { return std::to_string(info.param.size); });

TEST_F(SplitTest, ProgressEndsAtTheSourcesSize)
{
    WriteFile(src + "/x", Pattern(3 * Million / 2));
    std::uint64_t done = 0, total = 0;
    SplitFile(src + "/x", [&](const Progress& p) {
        EXPECT_EQ(p.file, src + "/x");
        done = p.done;
        total = p.total;
    });
    EXPECT_EQ(done, 3 * Million / 2);
    EXPECT_EQ(total, 3 * Million / 2);
}

TEST_F(SplitTest, AddsTheBareNameRowAndLeavesTheSlots)
{
    WriteFile(src + "/big.dat", Pattern(10));
    JoinList list;
    AddFile(list, src + "/big.dat");
    SplitFirst(list);
    EXPECT_EQ(list.Rows, (std::vector<std::string>{"0: " + src + "/big.dat", "big.dat"}));
    EXPECT_EQ(list.FileCount, 1);
    EXPECT_EQ(list.FileSlots[0], src + "/big.dat");
}

TEST_F(SplitTest, AnEmptyFirstSlotIsRefusedBeforeARowIsAdded)
{
    JoinList list;
    AddFile(list, src + "/a");
    AddFile(list, src + "/b");
    list.FileSlots[0].clear();  // as a join onto another file leaves it
    const auto rows = list.Rows;
    EXPECT_THROW(SplitFirst(list), OperationError);
    EXPECT_EQ(list.Rows, rows);
    EXPECT_FALSE(Exists("0"));
}

TEST_F(SplitTest, ARelativeSourceIsItsOwnBaseName)
{
    WriteFile("plain", "abc");
    SplitFile("plain");
    EXPECT_EQ(ReadFile("0plain"), "abc");
}

TEST_F(SplitTest, AnExistingPieceKeepsItsBytesAndGetsTheNewOnesAfterThem)
{
    const std::string data = Pattern(Million + 5);
    WriteFile(src + "/x", data);
    WriteFile("0x", "old");
    SplitFile(src + "/x");
    EXPECT_TRUE(ReadFile("0x") == "old" + data.substr(0, Million));
    EXPECT_EQ(ReadFile("1x"), data.substr(Million));
}

TEST_F(SplitTest, ASourceThatCannotBeOpenedMakesNoPiece)
{
    ::mkdir((src + "/sub").c_str(), 0755);
    for (const std::string& source : {src + "/missing", src + "/sub", std::string()}) {
        SCOPED_TRACE(source);
        EXPECT_THROW(SplitFile(source), OperationError);
        EXPECT_FALSE(Exists("0missing"));
        EXPECT_FALSE(Exists("0sub"));
        EXPECT_FALSE(Exists("0"));
    }
}

TEST_F(SplitTest, APieceThatCannotBeWrittenPutsEveryPieceBack)
{
    const std::string data = Pattern(5 * Million / 2);
    WriteFile(src + "/x", data);
    WriteFile("0x", "old");
    ASSERT_EQ(::symlink("/dev/full", "1x"), 0);
    try {
        SplitFile(src + "/x");
        ADD_FAILURE() << "no error";
    } catch (const OperationError& error) {
        EXPECT_EQ(error.operation(), Operation::Split);
        EXPECT_EQ(error.file(), "1x");
        EXPECT_EQ(error.reason().rfind(SystemReason(ENOSPC), 0), 0u) << error.what();
        EXPECT_EQ(std::string(error.what()).find("さらに"), std::string::npos) << "all was put back";
    }
    EXPECT_EQ(ReadFile("0x"), "old") << "the piece that was there is cut back";
    EXPECT_FALSE(Exists("2x"));

    // Once the piece can be written, the same split gives every piece once.
    ::unlink("1x");
    SplitFile(src + "/x");
    EXPECT_TRUE(ReadFile("0x") == "old" + data.substr(0, Million));
    EXPECT_TRUE(ReadFile("1x") == data.substr(Million, Million));
    EXPECT_TRUE(ReadFile("2x") == data.substr(2 * Million));
}

TEST_F(SplitTest, APieceFailingHalfWayIsCutBackToItsFormerLength)
{
    const std::string data = Pattern(Million, 3);
    WriteFile(src + "/x", data);
    WriteFile("0x", "before");
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved;
    ::getrlimit(RLIMIT_FSIZE, &saved);
    rlimit limit = saved;
    limit.rlim_cur = 400000;  // a real EFBIG in the middle of piece 0
    ::setrlimit(RLIMIT_FSIZE, &limit);
    EXPECT_THROW(SplitFile(src + "/x"), OperationError);
    ::setrlimit(RLIMIT_FSIZE, &saved);
    EXPECT_EQ(ReadFile("0x"), "before");
    EXPECT_FALSE(Exists("1x"));
}

TEST_F(SplitTest, APieceThatIsTheSourceItselfIsRefusedUntouched)
{
    const std::string data = Pattern(3 * Million / 2);
    WriteFile(src + "/x", data);
    ASSERT_EQ(::link((src + "/x").c_str(), "1x"), 0);
    try {
        SplitFile(src + "/x");
        ADD_FAILURE() << "no error";
    } catch (const OperationError& error) {
        EXPECT_EQ(error.file(), "1x");
    }
    EXPECT_TRUE(ReadFile(src + "/x") == data);
    EXPECT_FALSE(Exists("0x")) << "the piece made before the refusal is removed";
}

}  // namespace
