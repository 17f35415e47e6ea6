#include "standard/page_sort.h"

bool IsSortablePage(int page)
{
    return page >= kFirstCategoryPage && page < kPageCount;
}

SortKeys PageSortKeys(int page, int column)
{
    return column >= 0 && IsNumericSortColumn(page, column) ? SortKeys::Numbers : SortKeys::Text;
}

int CompareStandardRows(const ResultRow& first, const ResultRow& second, int page, int column, bool ascending)
{
    return CompareRows(first, second, column, PageSortKeys(page, column), ascending);
}

std::vector<int> SortStandardModel(ResultModel& model, int page, int column, bool ascending)
{
    if (!IsSortablePage(page))
        return UnchangedOrder(model);
    return SortModel(model, column, PageSortKeys(page, column), ascending);
}

SortMemory PageSortMemory::Of(int page) const
{
    return page >= 0 && page < kPageCount ? pages_[page] : SortMemory{};
}

bool PageSortMemory::Click(int page, int column)
{
    if (!IsSortablePage(page))
        return false;
    pages_[page].Click(column);
    return true;
}
