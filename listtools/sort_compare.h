// Sorting the result lists: the comparisons of the standard display list and of the
// individual list, and the sorts that reorder a model by them.
//
// A sort reads every row's sort value once, orders the rows (rows that compare equal
// keep their order), renumbers each row's item data (its sort tag) to its new position
// and returns, for every new position, the position the row had before, so that the
// view can move its selection with the row.
#pragma once
#include "listtools/result_model.h"

#include <string>
#include <vector>

// Mixed numbers and texts: trimmed texts of only "0123456789.," after an optional
// leading "-" compare as numbers (empty as 0; commas ignored), numbers before texts,
// two texts case-insensitively as given. -1, 0 or 1.
int CompareNumericTexts(const std::string& first, const std::string& second);

// Case-insensitive, multi-byte aware comparison of two cells: negative, zero, positive.
int CompareCellTexts(const std::string& first, const std::string& second);

// The standard display list's rows of category page `page` by `column`: numbers per
// CompareNumericTexts when the column is a numeric sort column of the page, otherwise
// texts; negated when the page sorts descending (SortAscending).
int CompareStandardRows(const ResultRow& first, const ResultRow& second, int page, int column);

// The individual list's rows by `column`: column 0 by object number compared unsigned
// (ReadObjectNumberKey), the others as texts; negated when IndividualSortAscending is
// not 1.
int CompareIndividualRows(const ResultRow& first, const ResultRow& second, int column);

// Sorts the display list's model of `page` by `column` in the page's direction.
// Pages that do not sort (root and groups) and empty models keep their order; the
// result is then the unchanged order.
std::vector<int> SortStandardModel(ResultModel& model, int page, int column);

// Sorts the individual list's model by `column` in IndividualSortAscending's direction.
std::vector<int> SortIndividualModel(ResultModel& model, int column);

// Where the row that stood at `oldRow` before a sort stands now; -1 when not found.
int NewRowPosition(const std::vector<int>& oldPositions, int oldRow);
