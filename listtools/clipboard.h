// Putting text on the clipboard: the one clipboard primitive of the program, the Copy
// text of the selected rows and the Copy Line text of the result lists (each list copies
// its clicked cell itself).
#pragma once
#include "listtools/result_model.h"

#include <string>
#include <vector>

// Puts `text` on the clipboard as CF_TEXT: 1 when it is there, 0 otherwise. An empty
// text returns 0 without touching the clipboard; on a failure the clipboard is closed
// again and keeps its previous content where the system allows.
int CopyTextToClipboard(const std::string& text);

// True when the clipboard holds text (Unicode or ANSI) to paste.
bool ClipboardHasText();

// The line Copy Line copies: the row's cell in column 0, then for every further column
// of the model one blank and the cell (empty cells still add their blank; nothing at
// the end). Empty for a row that does not exist.
std::string LineOfRow(const ResultModel& model, int row);

// Copy: the column names, then each of `rows` (in the order given), one line each ending
// in CR LF, the cells separated by tabs, as spreadsheets copy and paste. A cell holding a
// tab, a line break or a leading double quote is put in double quotes, its own double
// quotes doubled. Rows that do not exist are left out; empty when none is left.
std::string RowsAsTable(const ResultModel& model, const std::vector<int>& rows);

// Copy Line: the line of `row` (the first selected row; -1 when none, which copies
// nothing). Returns what CopyTextToClipboard returns, 0 when nothing was copied.
int CopyLineOfRow(const ResultModel& model, int row);
