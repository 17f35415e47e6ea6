// The one way the program asks for the name of a file to open.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

namespace ui {

// Shows the open-file dialog (the file must exist, no read-only box, long names) with the
// filter pairs of `filter` ("Text Files (*.txt)|*.txt|All Files (*.*)|*.*||"). True with
// the chosen full path in `path`; false when the user cancelled or the dialog failed.
bool AskOpenFileName(HWND owner, const std::string& filter, std::string& path);

// Test hook: while set, AskOpenFileName calls `handler` instead of showing the dialog
// and returns its answer. nullptr (an empty function) restores the real dialog.
using OpenFileHandler = std::function<bool(HWND owner, const std::string& filter, std::string& path)>;
void SetOpenFileHandler(OpenFileHandler handler);

}  // namespace ui
