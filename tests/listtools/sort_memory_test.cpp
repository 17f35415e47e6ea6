// The column-click rule and the sort each result list (and each standard page)
// remembers.
#include <gtest/gtest.h>

#include "listtools/result_list.h"
#include "listtools/sort_memory.h"
#include "standard/page_sort.h"
#include "tests/listtools/list_test_util.h"

namespace {

using listtest::AppendRows;
using listtest::ColumnTexts;
using Texts = std::vector<std::string>;

TEST(SortMemory, StartsUnsortedEverywhere)
{
    PageSortMemory used;
    ASSERT_TRUE(used.Click(9, 4));
    ASSERT_TRUE(used.Click(9, 4));
    ASSERT_EQ(used.Of(9).column, 4);
    ASSERT_FALSE(used.Of(9).ascending);

    // Another form's memory knows nothing of those clicks.
    const PageSortMemory fresh;
    for (int page = 0; page < kPageCount; ++page) {
        EXPECT_EQ(fresh.Of(page).column, kUnsorted) << page;
        EXPECT_TRUE(fresh.Of(page).ascending) << page;
    }
    const SortMemory individual;
    EXPECT_EQ(individual.column, kUnsorted);
    EXPECT_TRUE(individual.ascending);
    const ResultList list;
    EXPECT_EQ(list.ClickedCellText(), "");
}

TEST(SortMemory, PagesOutsideTheTreeReadAsDefaultAndIgnoreClicks)
{
    PageSortMemory memory;
    EXPECT_FALSE(memory.Click(-1, 5));
    EXPECT_FALSE(memory.Click(kPageCount, 5));
    EXPECT_EQ(memory.Of(-1).column, kUnsorted);
    EXPECT_EQ(memory.Of(kPageCount).column, kUnsorted);
    EXPECT_TRUE(memory.Of(kPageCount).ascending);
    EXPECT_FALSE(memory.Click(kPageCount, 1));
}

TEST(SortMemory, DirectionRule)
{
    EXPECT_EQ(DirectionAfterClick(2, 1, 2), 0);
    EXPECT_EQ(DirectionAfterClick(2, 0, 2), 1);
    EXPECT_EQ(DirectionAfterClick(2, 7, 2), 1);   // anything but 1 flips to ascending
    EXPECT_EQ(DirectionAfterClick(2, 0, 3), 1);   // another column starts ascending
    EXPECT_EQ(DirectionAfterClick(2, 1, 3), 1);
    EXPECT_EQ(DirectionAfterClick(kUnsorted, 1, 0), 1);
}

TEST(SortMemory, ClicksOnACategoryPageAreRememberedPerPage)
{
    PageSortMemory memory;
    const int page = 23;   // System
    const int other = 26;  // Logical Disk
    ASSERT_TRUE(memory.Click(page, 2));
    EXPECT_TRUE(memory.Of(page).ascending);   // another column than 0: stays ascending
    ASSERT_TRUE(memory.Click(page, 2));
    EXPECT_FALSE(memory.Of(page).ascending);
    ASSERT_TRUE(memory.Click(page, 3));
    EXPECT_TRUE(memory.Of(page).ascending);   // a new column starts ascending
    ASSERT_TRUE(memory.Click(page, 3));
    EXPECT_EQ(memory.Of(page).column, 3);

    ASSERT_TRUE(memory.Click(other, 0));   // the first click on column 0 sorts ascending
    EXPECT_TRUE(memory.Of(other).ascending);
    EXPECT_EQ(memory.Of(page).column, 3);
    EXPECT_FALSE(memory.Of(page).ascending);

    // Coming back, the page is rebuilt and sorted by its remembered column and direction.
    ResultModel model = listtest::ModelWithColumns(4);
    AppendRows(model, {{"a", "", "", "m"}, {"b", "", "", "Z"}, {"c", "", "", "a"}});
    SortStandardModel(model, page, memory.Of(page).column, memory.Of(page).ascending);
    EXPECT_EQ(ColumnTexts(model, 3), (Texts{"Z", "m", "a"}));
}

TEST(SortMemory, RootAndGroupPagesIgnoreClicks)
{
    PageSortMemory memory;
    for (int page = 0; page < 4; ++page) {
        EXPECT_FALSE(IsSortablePage(page));
        EXPECT_FALSE(memory.Click(page, 0));
        EXPECT_FALSE(memory.Click(page, 0));
        EXPECT_EQ(memory.Of(page).column, kUnsorted);
        EXPECT_TRUE(memory.Of(page).ascending);
    }
    EXPECT_TRUE(IsSortablePage(4));
    EXPECT_TRUE(IsSortablePage(31));
}

TEST(SortMemory, IndividualListClicks)
{
    // The list starts unsorted, so the first click on any column sorts it ascending,
    // the next one descending.
    SortMemory individual;
    individual.Click(0);
    EXPECT_TRUE(individual.ascending);
    individual.Click(0);
    EXPECT_FALSE(individual.ascending);
    individual = SortMemory();
    individual.Click(1);
    EXPECT_TRUE(individual.ascending);
    EXPECT_EQ(individual.column, 1);
    individual.Click(1);
    EXPECT_FALSE(individual.ascending);
    individual.Click(2);
    EXPECT_TRUE(individual.ascending);
    EXPECT_EQ(individual.column, 2);
}

}  // namespace
