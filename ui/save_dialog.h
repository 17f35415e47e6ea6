// The one way the program asks for the name of a file to save.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

namespace ui {

struct SaveFileRequest {
    // Filter pairs in the form "Text Files (*.txt)|*.txt|All Files (*.*)|*.*||".
    std::string filter;
    // Appended when the user types a name without extension ("txt", no dot).
    std::string defaultExtension;
    // The name proposed in the dialog.
    std::string fileName;
    // The file type (1-based pair of `filter`) shown first; on return, the one chosen.
    int type = 1;
};

// Shows the save-file dialog (overwrite prompt, no read-only box, the path must exist,
// long names). True with the chosen full path (of any length) in `path` and the chosen
// file type in `request.type`; false when the user cancelled or the dialog failed.
bool AskSaveFileName(HWND owner, SaveFileRequest& request, std::string& path);

// The filter in the form the dialog takes: every "|" becomes a zero character, and the
// text ends with two zero characters.
std::wstring ToDialogFilter(const std::string& filter);

// Test hook: while set, AskSaveFileName calls `handler` instead of showing the dialog
// and returns its answer. nullptr (an empty function) restores the real dialog.
using SaveFileHandler =
    std::function<bool(HWND owner, SaveFileRequest& request, std::string& path)>;
void SetSaveFileHandler(SaveFileHandler handler);

}  // namespace ui
