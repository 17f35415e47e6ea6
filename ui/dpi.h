// Scaling of the fixed pixel sizes of the layout to the window's DPI.
#pragma once
#include <windows.h>

namespace ui {

// The window's DPI (GetDpiForWindow where the system has it), else the screen's
// LOGPIXELSX; 96 when neither answers.
UINT WindowDpi(HWND window);

// `pixels` given for 96 DPI, scaled to the window's DPI.
int ScalePixels(HWND window, int pixels);

}  // namespace ui
