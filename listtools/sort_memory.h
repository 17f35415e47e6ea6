// What a result list was last sorted by, and what a click on a column header makes of
// it. The list's owner keeps one per list (or per page of a list) and sorts by it.
#pragma once

// The direction after a click on `clickedColumn` of a list last sorted by
// `sortedColumn`: the same column flips it (1 becomes 0, anything else 1), another
// column starts ascending. Directions are 1 (ascending) or 0 (descending).
int DirectionAfterClick(int sortedColumn, int ascending, int clickedColumn);

// The sort column of a list that shows its rows as they arrived.
inline constexpr int kUnsorted = -1;

// A list starts unsorted: its rows in the order they arrived.
struct SortMemory {
    int column = kUnsorted;
    bool ascending = true;

    bool IsSorted() const { return column != kUnsorted; }

    // A click on `clickedColumn`: the direction follows DirectionAfterClick and the
    // clicked column becomes the sort column. The caller then sorts the list.
    void Click(int clickedColumn);
};
