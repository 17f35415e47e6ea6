#include "individual/individual_sort.h"

SortKeys IndividualSortKeys(int column)
{
    return column == 0 ? SortKeys::ObjectNumbers : SortKeys::Text;
}

int CompareIndividualRows(const ResultRow& first, const ResultRow& second, int column, bool ascending)
{
    return CompareRows(first, second, column, IndividualSortKeys(column), ascending);
}

std::vector<int> SortIndividualModel(ResultModel& model, int column, bool ascending)
{
    return SortModel(model, column, IndividualSortKeys(column), ascending);
}
