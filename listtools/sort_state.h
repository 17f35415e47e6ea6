// The sort state of the result lists and the text of the last right-clicked cell.
// Process-wide, set at start-up and never reset afterwards; used by the user interface
// thread alone.
//
// Standard pages follow the category tree: 0 the root, 1..3 the groups (never sorted),
// 4..31 the category pages. Directions are 1 (ascending) or 0 (descending).
#pragma once
#include <string>

inline constexpr int kSortPageCount = 32;

// Start-up values: every page ascending by column 0, the individual list likewise,
// no clicked cell.
void ResetSortState();

// Standard pages. Pages outside 0..31 read as column 0, ascending; writes are ignored.
int SortColumn(int page);
int SortAscending(int page);
void SetSortColumn(int page, int column);
void SetSortAscending(int page, int ascending);

// Only category pages sort; the root and group pages keep their order.
bool IsSortablePage(int page);

// The individual form's list.
int IndividualSortColumn();
int IndividualSortAscending();
void SetIndividualSortColumn(int column);
void SetIndividualSortAscending(int ascending);

// The cell under the mouse at the last right click on either result list.
const std::string& ClickedCellText();
void SetClickedCellText(std::string text);

// The direction after a click on `clickedColumn` of a list last sorted by
// `sortedColumn`: the same column flips it (1 becomes 0, anything else 1), another
// column keeps it.
int DirectionAfterClick(int sortedColumn, int ascending, int clickedColumn);

// A column click on standard page `page`: false for a page that does not sort (nothing
// changes); otherwise the page's direction follows DirectionAfterClick, its sort
// column becomes `column`, and the caller sorts the list (SortStandardModel).
bool ApplyStandardColumnClick(int page, int column);

// A column click on the individual list: the same rule, without a page test. The
// caller then sorts the list (SortIndividualModel).
void ApplyIndividualColumnClick(int column);
