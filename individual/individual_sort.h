// Sorting the individual form's result list: column 0, the object number, compares as
// an unsigned number (negative numbers after all positive ones), the property, type and
// value columns as texts.
#pragma once
#include <vector>

#include "listtools/result_model.h"
#include "listtools/sort_compare.h"

SortKeys IndividualSortKeys(int column);

// The list's rows by `column`, as the list sorts them.
int CompareIndividualRows(const ResultRow& first, const ResultRow& second, int column, bool ascending);

// Sorts the list's model by `column`.
std::vector<int> SortIndividualModel(ResultModel& model, int column, bool ascending);
