// The column-click rule and the remembered sort state of the result lists.
#include <gtest/gtest.h>

#include "listtools/sort_compare.h"
#include "listtools/sort_state.h"
#include "tests/listtools/list_test_util.h"

namespace {

using listtest::AppendRows;
using listtest::ColumnTexts;
using Texts = std::vector<std::string>;

class SortState : public testing::Test {
protected:
    void SetUp() override { ResetSortState(); }
    void TearDown() override { ResetSortState(); }
};

TEST_F(SortState, StartsAscendingByColumnZeroEverywhere)
{
    SetSortColumn(9, 4);
    SetSortAscending(9, 0);
    SetIndividualSortColumn(2);
    SetIndividualSortAscending(0);
    SetClickedCellText("cell");
    ResetSortState();
    for (int page = 0; page < kSortPageCount; ++page) {
        EXPECT_EQ(SortColumn(page), 0) << page;
        EXPECT_EQ(SortAscending(page), 1) << page;
    }
    EXPECT_EQ(IndividualSortColumn(), 0);
    EXPECT_EQ(IndividualSortAscending(), 1);
    EXPECT_EQ(ClickedCellText(), "");
}

TEST_F(SortState, PagesOutsideTheTreeReadAsDefaultAndIgnoreWrites)
{
    SetSortColumn(-1, 5);
    SetSortColumn(kSortPageCount, 5);
    SetSortAscending(kSortPageCount, 0);
    EXPECT_EQ(SortColumn(-1), 0);
    EXPECT_EQ(SortColumn(kSortPageCount), 0);
    EXPECT_EQ(SortAscending(kSortPageCount), 1);
    EXPECT_FALSE(ApplyStandardColumnClick(kSortPageCount, 1));
}

TEST_F(SortState, DirectionRule)
{
    EXPECT_EQ(DirectionAfterClick(2, 1, 2), 0);
    EXPECT_EQ(DirectionAfterClick(2, 0, 2), 1);
    EXPECT_EQ(DirectionAfterClick(2, 7, 2), 1);   // anything but 1 flips to ascending
    EXPECT_EQ(DirectionAfterClick(2, 0, 3), 0);   // another column keeps the direction
    EXPECT_EQ(DirectionAfterClick(2, 1, 3), 1);
}

TEST_F(SortState, ClicksOnACategoryPageAreRememberedPerPage)
{
    const int page = 23;   // System
    const int other = 26;  // Logical Disk
    ASSERT_TRUE(ApplyStandardColumnClick(page, 2));
    EXPECT_EQ(SortAscending(page), 1);   // another column than 0: stays ascending
    ASSERT_TRUE(ApplyStandardColumnClick(page, 2));
    EXPECT_EQ(SortAscending(page), 0);
    ASSERT_TRUE(ApplyStandardColumnClick(page, 3));
    EXPECT_EQ(SortAscending(page), 0);   // a new column keeps descending
    EXPECT_EQ(SortColumn(page), 3);

    ASSERT_TRUE(ApplyStandardColumnClick(other, 0));   // the first click on column 0 flips
    EXPECT_EQ(SortAscending(other), 0);
    EXPECT_EQ(SortColumn(page), 3);
    EXPECT_EQ(SortAscending(page), 0);

    // Coming back, the page is rebuilt and sorted by its remembered column and direction.
    ResultModel model = listtest::ModelWithColumns(4);
    AppendRows(model, {{"a", "", "", "m"}, {"b", "", "", "Z"}, {"c", "", "", "a"}});
    SortStandardModel(model, page, SortColumn(page));
    EXPECT_EQ(ColumnTexts(model, 3), (Texts{"Z", "m", "a"}));
}

TEST_F(SortState, RootAndGroupPagesIgnoreClicks)
{
    for (int page = 0; page < 4; ++page) {
        EXPECT_FALSE(IsSortablePage(page));
        EXPECT_FALSE(ApplyStandardColumnClick(page, 0));
        EXPECT_FALSE(ApplyStandardColumnClick(page, 0));
        EXPECT_EQ(SortColumn(page), 0);
        EXPECT_EQ(SortAscending(page), 1);
    }
    EXPECT_TRUE(IsSortablePage(4));
    EXPECT_TRUE(IsSortablePage(31));
}

TEST_F(SortState, IndividualListClicks)
{
    // The list starts sorted ascending by column 0, so clicking that column first
    // turns it descending, and the next click ascending again.
    ApplyIndividualColumnClick(0);
    EXPECT_EQ(IndividualSortAscending(), 0);
    ApplyIndividualColumnClick(0);
    EXPECT_EQ(IndividualSortAscending(), 1);
    ResetSortState();
    ApplyIndividualColumnClick(1);
    EXPECT_EQ(IndividualSortAscending(), 1);
    EXPECT_EQ(IndividualSortColumn(), 1);
    ApplyIndividualColumnClick(1);
    EXPECT_EQ(IndividualSortAscending(), 0);
    ApplyIndividualColumnClick(2);
    EXPECT_EQ(IndividualSortAscending(), 0);
    EXPECT_EQ(IndividualSortColumn(), 2);
    // The standard pages are not affected.
    EXPECT_EQ(SortColumn(4), 0);
    EXPECT_EQ(SortAscending(4), 1);
}

}  // namespace
