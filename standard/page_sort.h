// Sorting the standard form's display list. Only the category pages sort (the root and
// group pages keep the order of the tree), each by the column and direction last chosen
// on it; a category's numeric sort columns compare as numbers, its other columns as
// texts.
#pragma once
#include <vector>

#include "listtools/result_model.h"
#include "listtools/sort_compare.h"
#include "listtools/sort_memory.h"
#include "standard/category_catalog.h"

// Only category pages sort; the root and group pages keep their order.
bool IsSortablePage(int page);

// How `column` of page `page` compares: as numbers for the category's numeric sort
// columns (IsNumericSortColumn), otherwise as texts.
SortKeys PageSortKeys(int page, int column);

// The display list's rows of page `page` by `column`, as the page sorts them.
int CompareStandardRows(const ResultRow& first, const ResultRow& second, int page, int column, bool ascending);

// Sorts the display list's model of `page` by `column`. Pages that do not sort and
// empty models keep their order; the result is then the unchanged order.
std::vector<int> SortStandardModel(ResultModel& model, int page, int column, bool ascending);

// What each page of the display list was last sorted by; every page starts unsorted
// (its rows in the order the check read them).
class PageSortMemory {
public:
    // Pages outside 0..31 read as unsorted.
    SortMemory Of(int page) const;
    // A column click on page `page`: false for a page that does not sort (nothing
    // changes); otherwise the page's memory follows SortMemory::Click and the caller
    // sorts the list.
    bool Click(int page, int column);

private:
    SortMemory pages_[kPageCount];
};
