// Placing a form inside a tab control, and the keys forms share.
#pragma once
#include <windows.h>

// Moves `form` to the display area of the tab control `tab`: 5 pixels (at 96 dpi) inside
// its edges and below its tab headers. False when there is no tab control.
bool FitIntoTabPage(HWND form, HWND tab);

// A key-down message of `key`.
inline bool IsKeyDown(const MSG& message, UINT key)
{
    return message.message == WM_KEYDOWN && message.wParam == key;
}

inline bool IsShiftDown()
{
    return (GetKeyState(VK_SHIFT) & 0x8000) != 0;
}
