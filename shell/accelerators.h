// The program's keyboard shortcuts (accelerator table 128), translated for the main
// frame. The main view loads the table; the forms offer keys to it before their own
// dialog navigation, so that the shortcuts work wherever the focus is.
#pragma once
#include <windows.h>

void SetMainAccelerators(HACCEL table, HWND frame);
// True when `message` was a shortcut and its command was sent to the frame.
bool TranslateMainAccelerators(MSG& message);
