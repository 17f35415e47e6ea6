// Edit: an edit control.
#pragma once
#include <windows.h>

#include <string>

#include "base/narrow.h"
#include "ui/window.h"

namespace ui {

class Edit : public Window {
public:
    using Window::Window;

    void SetLimit(int characters) const { SendMsg(EM_SETLIMITTEXT, characters); }
    // Selects characters start..end-1 (0, -1: all).
    void SetSel(int start, int end) const { SendMsg(EM_SETSEL, start, end); }
    void ReplaceSel(const std::string& text, bool canUndo = true) const
    {
        const std::wstring wide = ToWide(text);
        SendMsg(EM_REPLACESEL, canUndo, reinterpret_cast<LPARAM>(wide.c_str()));
    }
    void SetReadOnly(bool readOnly) const { SendMsg(EM_SETREADONLY, readOnly); }
    // Inserts the clipboard's text at the caret.
    void Paste() const { SendMsg(WM_PASTE); }
};

}  // namespace ui
