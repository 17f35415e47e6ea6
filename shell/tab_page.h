// Placing the two forms inside the main view's tab control, and the keys they share.
#pragma once
#include <windows.h>

// Moves `form` to the tab control's display area: 5 pixels (at 96 dpi) inside the tab
// control's edges and below its tab headers. False while the tab control is not yet
// recorded.
bool FitIntoTabPage(HWND form);

// A key-down message of `key`.
inline bool IsKeyDown(const MSG& message, UINT key)
{
    return message.message == WM_KEYDOWN && message.wParam == key;
}

inline bool IsShiftDown()
{
    return (GetKeyState(VK_SHIFT) & 0x8000) != 0;
}
