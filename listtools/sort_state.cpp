#include "listtools/sort_state.h"

#include <utility>

namespace {

struct SortState {
    int column[kSortPageCount] = {};
    int ascending[kSortPageCount] = {};
    int individualColumn = 0;
    int individualAscending = 1;
    std::string clickedCellText;

    SortState()
    {
        for (int& direction : ascending)
            direction = 1;
    }
};

SortState g_state;

bool IsPage(int page)
{
    return page >= 0 && page < kSortPageCount;
}

}  // namespace

void ResetSortState()
{
    g_state = SortState();
}

int SortColumn(int page)
{
    return IsPage(page) ? g_state.column[page] : 0;
}

int SortAscending(int page)
{
    return IsPage(page) ? g_state.ascending[page] : 1;
}

void SetSortColumn(int page, int column)
{
    if (IsPage(page))
        g_state.column[page] = column;
}

void SetSortAscending(int page, int ascending)
{
    if (IsPage(page))
        g_state.ascending[page] = ascending;
}

bool IsSortablePage(int page)
{
    return page >= 4 && page < kSortPageCount;
}

int IndividualSortColumn()
{
    return g_state.individualColumn;
}

int IndividualSortAscending()
{
    return g_state.individualAscending;
}

void SetIndividualSortColumn(int column)
{
    g_state.individualColumn = column;
}

void SetIndividualSortAscending(int ascending)
{
    g_state.individualAscending = ascending;
}

const std::string& ClickedCellText()
{
    return g_state.clickedCellText;
}

void SetClickedCellText(std::string text)
{
    g_state.clickedCellText = std::move(text);
}

int DirectionAfterClick(int sortedColumn, int ascending, int clickedColumn)
{
    if (clickedColumn != sortedColumn)
        return ascending;
    return ascending == 1 ? 0 : 1;
}

bool ApplyStandardColumnClick(int page, int column)
{
    if (!IsSortablePage(page))
        return false;
    SetSortAscending(page, DirectionAfterClick(SortColumn(page), SortAscending(page), column));
    SetSortColumn(page, column);
    return true;
}

void ApplyIndividualColumnClick(int column)
{
    g_state.individualAscending =
        DirectionAfterClick(g_state.individualColumn, g_state.individualAscending, column);
    g_state.individualColumn = column;
}
