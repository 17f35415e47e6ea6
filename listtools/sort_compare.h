// Sorting the result lists: how cells compare, and the sort that reorders a model by
// them. Which column sorts how, and in which direction, is the list owner's business.
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

// How the cells of the sorted column compare. The list's owner chooses per column.
enum class SortKeys {
    Text,            // CompareCellTexts
    Numbers,         // CompareNumericTexts
    ObjectNumbers,   // object numbers compared unsigned (ReadObjectNumberKey)
};

// Two rows by their cells in `column` (missing cells count as empty); negated when
// not `ascending`.
int CompareRows(const ResultRow& first, const ResultRow& second, int column, SortKeys keys, bool ascending);

// Sorts the model by `column` as CompareRows orders it; rows whose cells compare equal
// stay in the order they arrived (an object's properties keep their order), in either
// direction. Column kUnsorted (-1) brings the order of arrival back. An empty model gives
// an empty order.
std::vector<int> SortModel(ResultModel& model, int column, SortKeys keys, bool ascending);

// The order a sort returns when it moved nothing: every row at its old position.
std::vector<int> UnchangedOrder(const ResultModel& model);

// Where the row that stood at `oldRow` before a sort stands now; -1 when not found.
int NewRowPosition(const std::vector<int>& oldPositions, int oldRow);
