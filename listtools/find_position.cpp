#include "listtools/find_position.h"

int FindPositionOnOpen(int firstSelected)
{
    return firstSelected >= 0 ? firstSelected : 0;
}

int FindPositionForUp(int firstSelected, int rowCount)
{
    return firstSelected >= 0 ? firstSelected : rowCount - 1;
}

int FindPositionForDown(int firstSelected)
{
    return firstSelected >= 0 ? firstSelected : 0;
}

int FindPositionForMatchCase(int firstSelected, bool down, int rowCount)
{
    if (firstSelected >= 0)
        return firstSelected;
    return down ? 0 : rowCount - 1;
}

int FindPositionAfterMatch(int row, bool down)
{
    return down ? row + 1 : row - 1;
}
