// Edit: an edit control.
#pragma once
#include <windows.h>

#include <string>

#include "ui/window.h"

namespace ui {

class Edit : public Window {
public:
    using Window::Window;

    void SetLimit(int bytes) const { SendMsg(EM_SETLIMITTEXT, bytes); }
    // Selects bytes start..end-1 (0, -1: all).
    void SetSel(int start, int end) const { SendMsg(EM_SETSEL, start, end); }
    void ReplaceSel(const std::string& text, bool canUndo = true) const
    {
        SendMsg(EM_REPLACESEL, canUndo, reinterpret_cast<LPARAM>(text.c_str()));
    }
    void SetReadOnly(bool readOnly) const { SendMsg(EM_SETREADONLY, readOnly); }
    // Inserts the clipboard's text at the caret.
    void Paste() const { SendMsg(WM_PASTE); }
};

}  // namespace ui
