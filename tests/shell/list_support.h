// Driving the result lists through their windows: real mouse input, the real context
// menu, the cells as the control shows them, the category stores behind the standard
// pages, the real clipboard, and the modal Find dialog.
#pragma once
#include "tests/support/clipboard_text.h"
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

#include "listtools/result_list.h"
#include "standard/category_store.h"

namespace listui {

using Rows = std::vector<std::vector<std::string>>;

// Wine's headless driver opens the frame at its minimum size (112 x 27): make it
// 1024 x 740, as on a small screen, so that the lists have rows and columns on screen.
void GiveFrameARealSize(HWND frame);

// Replaces the rows of the category store shown on standard page `page` (4..31); a row
// shorter than the store leaves its last cells empty.
void FillStorePage(StandardStores& stores, int page, const Rows& rows);

// Real mouse input, posted to the control as the system posts it (the cursor is put on
// the point first) and processed at once: a left click on a column header, a right
// click and a double click on a point of the screen.
void ClickColumnHeader(const ResultList& list, int column);
void RightClickAt(const ResultList& list, POINT screenPoint);
void DoubleClickAt(const ResultList& list, POINT screenPoint);
// A left click with `keys` (MK_SHIFT, MK_CONTROL) held.
void ClickAt(const ResultList& list, POINT screenPoint, WPARAM keys);

// Answers the next real context menu: records its items, presses Down `downs` times
// and Enter (0: Esc closes it). Call before the right click.
struct MenuSeen {
    bool opened = false;
    std::vector<std::string> texts;
    std::vector<UINT> ids;
};
void AnswerNextMenu(int downs, MenuSeen* seen);
// No menu is answered any more (the right click opened none).
void StopAnsweringMenus();

// The screen point in the middle of a cell (scrolled into view first), and one below
// the last row.
POINT CellCentre(const ResultList& list, int row, int column);
POINT BelowLastRow(const ResultList& list);

// What the control shows: the texts of one column from top to bottom, read back through
// the control (LVM_GETITEMTEXT), and the selected rows.
std::vector<std::string> ShownColumn(const ResultList& list, int column);
std::vector<int> SelectedRows(const ResultList& list);
// The item data (sort tags) of the model, top to bottom.
std::vector<LPARAM> Tags(const ResultList& list);

// The real clipboard: its CF_TEXT ("<none>" without text, "<busy>" when it cannot be
// opened), and putting a text on it; false on failure.
using ::ClipboardText;
using ::PutClipboardText;
// Puts a format that is not text on the clipboard (and nothing else).
bool PutClipboardNonText();

// Runs `script` inside the modal Find dialog that `open` opens: a thread timer finds the
// dialog once it is up, calls `script` with its window and then clicks Cancel. False
// when `open` returned without showing the dialog.
bool WithFindDialog(const std::function<void()>& open, const std::function<void(HWND dialog)>& script);

// Dialog controls: a text into the edit field, a click on a button.
void SetFindText(HWND dialog, const std::string& text);
void Click(HWND dialog, int id);

}  // namespace listui
