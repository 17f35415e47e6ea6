// The editing shortcuts of text fields. Ctrl+C, Ctrl+V, Ctrl+X, Ctrl+Z and Ctrl+A (and
// the Insert/Delete forms of copy, cut and paste) are also the program's accelerators;
// while a text field has the focus they belong to the field, so that a user can copy,
// cut, paste, undo and select its text as everywhere else.
#pragma once
#include <windows.h>

namespace ui {

// An edit control, also the edit part of a combo box.
bool IsEditControl(HWND window);

// A key-down of one of the editing shortcuts above, sent to an edit control.
bool IsEditingShortcut(const MSG& message);

// Ctrl+A selects the whole text of `edit` (the edit control of older systems has no
// select-all of its own). Lasts as long as the control.
bool AddSelectAllKey(HWND edit);

}  // namespace ui
