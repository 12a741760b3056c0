#include <gtest/gtest.h>

#include "fileops/operationerror.h"
#include "selection/joinlist.h"

using namespace zorvaku;
using Rows = std::vector<std::string>;

namespace {

JoinList Listed(std::initializer_list<std::string> paths)
{
    JoinList list;
    for (const auto& path : paths)
        AddFile(list, path);
    return list;
}

TEST(JoinListAdd, NumbersRowsByTheSlotTheyFill)
{
    JoinList list = Listed({"/d/a", "/d/b", "/d/a"});
    EXPECT_EQ(list.FileCount, 3);
    EXPECT_EQ(list.Rows, (Rows{"0: /d/a", "1: /d/b", "2: /d/a"}));
    EXPECT_EQ(list.FileSlots[2], "/d/a");
}

TEST(JoinListAdd, EmptyNameAddsNothing)
{
    JoinList list = Listed({"/d/a"});
    AddFile(list, "");
    EXPECT_EQ(list.FileCount, 1);
    EXPECT_EQ(list.Rows, (Rows{"0: /d/a"}));
}

TEST(JoinListAdd, AfterAJoinGoesBehindTheEmptiedSlots)
{
    JoinList list = Listed({"/d/a", "/d/b", "/d/c"});
    list.FileSlots[1].clear();  // as a join onto /d/a leaves them
    list.FileSlots[2].clear();
    AddFile(list, "/d/e");
    EXPECT_EQ(list.FileSlots[3], "/d/e");
    EXPECT_EQ(list.Rows.back(), "3: /d/e");
}

TEST(JoinListAdd, RefusesTheFileAfterTheLastSlotAndChangesNothing)
{
    JoinList list;
    for (int i = 0; i < MaxSlots; ++i)
        AddFile(list, "/d/" + std::to_string(i));
    const JoinList before = list;
    try {
        AddFile(list, "/d/one-too-many");
        FAIL() << "the 101st file was accepted";
    } catch (const OperationError& error) {
        EXPECT_EQ(error.file(), "/d/one-too-many");
        EXPECT_NE(std::string(error.what()).find("100個まで"), std::string::npos) << error.what();
    }
    EXPECT_EQ(list.FileCount, MaxSlots);
    EXPECT_EQ(list.FileSlots, before.FileSlots);
    EXPECT_EQ(list.Rows, before.Rows);
}

struct RemoveCase {
    const char* title;
    std::vector<std::string> slots;  // slots from 0 on; FileCount is their number
    Rows extraRows;                  // rows a split added after the listed ones
    int row;
    std::vector<std::string> expectedSlots;  // slots 0..FileCount (inclusive: the one after must be empty)
    Rows expectedRows;
};

class JoinListRemove : public testing::TestWithParam<RemoveCase> {};

TEST_P(JoinListRemove, EmptiesTheRowsSlotAndPacksTheRest)
{
    const RemoveCase& c = GetParam();
    JoinList list;
    for (std::size_t i = 0; i < c.slots.size(); ++i) {
        list.FileSlots[i] = c.slots[i];
        list.Rows.push_back(DisplayRow(static_cast<int>(i), c.slots[i].empty() ? "(joined)" : c.slots[i]));
    }
    list.FileCount = static_cast<int>(c.slots.size());
    list.FileSlots[list.FileCount] = "/stale";  // a slot past the count, which a remove must empty
    list.Rows.insert(list.Rows.end(), c.extraRows.begin(), c.extraRows.end());

    EXPECT_EQ(RemoveRow(list, c.row), c.row >= 0) << "whether anything was done";

    ASSERT_EQ(list.FileCount + 1, static_cast<int>(c.expectedSlots.size()));
    for (int i = 0; i <= list.FileCount; ++i)
        EXPECT_EQ(list.FileSlots[i], c.expectedSlots[i]) << "slot " << i;
    EXPECT_EQ(list.Rows, c.expectedRows);
}

INSTANTIATE_TEST_SUITE_P(Cases, JoinListRemove,
    testing::Values(
        RemoveCase{"middle_row", {"A", "B", "C"}, {}, 1, {"A", "C", ""}, {"0: A", "1: C"}},
        RemoveCase{"first_row", {"A", "B", "C"}, {}, 0, {"B", "C", ""}, {"0: B", "1: C"}},
        RemoveCase{"only_row", {"A"}, {}, 0, {""}, {}},
        RemoveCase{"split_row_keeps_the_list", {"A"}, {"A-base"}, 1, {"A", ""}, {"0: A"}},
        RemoveCase{"after_join_onto_first", {"A", "", ""}, {}, 2, {"A", ""}, {"0: A"}},
        RemoveCase{"after_join_onto_other", {"", "", ""}, {}, 0, {""}, {}},
        RemoveCase{"none_selected", {"A", "B"}, {}, -1, {"A", "B", "/stale"}, {"0: A", "1: B"}}),
    [](const testing::TestParamInfo<RemoveCase>& info) { return info.param.title; });

TEST(JoinListRemove, RowPastTheTableDoesNothing)
{
    JoinList list;
    for (int i = 0; i < MaxSlots; ++i)
        AddFile(list, "/d/" + std::to_string(i));
    list.Rows.push_back("base-name-of-a-split");
    const JoinList before = list;
    for (int row : {MaxSlots, MaxSlots + 1, 1 << 30}) {
        EXPECT_FALSE(RemoveRow(list, row));
        EXPECT_EQ(list.FileCount, MaxSlots);
        EXPECT_EQ(list.FileSlots, before.FileSlots);
        EXPECT_EQ(list.Rows, before.Rows);
    }
}

TEST(JoinListRemove, LastSlotOfAFullTable)
{
    JoinList list;
    for (int i = 0; i < MaxSlots; ++i)
        AddFile(list, "/d/" + std::to_string(i));
    RemoveRow(list, MaxSlots - 1);
    EXPECT_EQ(list.FileCount, MaxSlots - 1);
    EXPECT_EQ(list.FileSlots[MaxSlots - 1], "");
    EXPECT_EQ(list.Rows.back(), "98: /d/98");
}

}  // namespace
