// Where the Find dialog's next search starts. `firstSelected` is the list's first
// selected row, -1 when no row is selected.
#pragma once

// When the dialog opens: the first selected row, else 0.
int FindPositionOnOpen(int firstSelected);

// "Up" clicked: the first selected row, else the last row.
int FindPositionForUp(int firstSelected, int rowCount);

// "Down" clicked: the first selected row, else 0.
int FindPositionForDown(int firstSelected);

// "Match case" clicked: the first selected row, else 0 searching down and the last
// row searching up.
int FindPositionForMatchCase(int firstSelected, bool down, int rowCount);

// After a match in `row`: the next row in the search's direction (no wrap-around).
int FindPositionAfterMatch(int row, bool down);
