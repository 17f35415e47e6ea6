// The context menus of the result lists (menu 350: Copy, Copy Cell, Copy Line, Select
// All, Find, Save as CSV) and of the category tree (menu 354), and the keys that open a
// context menu from the keyboard.
#pragma once
#include <windows.h>

#include <vector>

// Opens the first popup of menu `menuId` at `screenPoint`, owned by `owner` (which gets
// WM_INITMENUPOPUP to enable the items it knows), with the commands in `grayed` disabled;
// returns the command chosen, or 0. The items of the first popup of `firstMenuId` (a
// list's own commands), when given, come first, a separator after them.
int ChooseFromPopupMenu(UINT menuId, HWND owner, POINT screenPoint, const std::vector<UINT>& grayed = {},
                        UINT firstMenuId = 0);

// Shift+F10 or the Menu key pressed (`opens`) or released: a context menu key. The
// release is swallowed too, or F10's would open the menu bar.
bool IsContextMenuKey(const MSG& message, bool& opens);

// Sends `command` to the top-level window of `control`, as its menu would.
void SendCommandToTopLevel(HWND control, int command);
