// The context menu of the result lists (menu 350: "Copy Cell", "Copy Line").
#pragma once
#include <windows.h>

// Opens the menu's first popup at `screenPoint`, tracking the right mouse button, and
// returns the command chosen (ID_COPY_CELL, ID_COPY_LINE) or 0.
int ChooseFromResultMenu(HWND owner, POINT screenPoint);
