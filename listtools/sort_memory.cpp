#include "listtools/sort_memory.h"

int DirectionAfterClick(int sortedColumn, int ascending, int clickedColumn)
{
    if (clickedColumn != sortedColumn)
        return 1;
    return ascending == 1 ? 0 : 1;
}

void SortMemory::Click(int clickedColumn)
{
    ascending = DirectionAfterClick(column, ascending ? 1 : 0, clickedColumn) == 1;
    column = clickedColumn;
}
