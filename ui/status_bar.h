// StatusBar: a status bar with parts.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <cwchar>
#include <string>
#include <vector>

#include "base/narrow.h"
#include "ui/window.h"

namespace ui {

class StatusBar : public Window {
public:
    using Window::Window;

    // Creates a status bar at the bottom of `parent`. With SBARS_TOOLTIPS a text too long
    // for its part shows whole under the pointer.
    static StatusBar Create(HWND parent, int id, DWORD style = WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP | SBARS_TOOLTIPS)
    {
        return StatusBar(CreateWindowExW(0, STATUSCLASSNAMEW, L"", style | WS_CHILD, 0, 0, 0, 0, parent,
                                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                         GetModuleHandleW(nullptr), nullptr));
    }

    // The right edges of the parts in client coordinates; -1 runs to the right end.
    bool SetParts(const std::vector<int>& rightEdges) const
    {
        return SendMsg(SB_SETPARTS, rightEdges.size(), reinterpret_cast<LPARAM>(rightEdges.data())) != 0;
    }
    int PartCount() const { return static_cast<int>(SendMsg(SB_GETPARTS)); }
    // `type` 0, SBT_NOBORDERS, SBT_POPOUT, ... The text is the part's tooltip as well, shown
    // when the part is too narrow for it.
    bool SetPartText(int part, const std::string& text, UINT type = 0) const
    {
        const std::wstring wide = ToWide(text);
        SendMsg(SB_SETTIPTEXTW, part, reinterpret_cast<LPARAM>(wide.c_str()));
        return SendMsg(SB_SETTEXTW, part | type, reinterpret_cast<LPARAM>(wide.c_str())) != 0;
    }
    // The part's tooltip; empty without SBARS_TOOLTIPS.
    std::string PartTip(int part) const
    {
        std::wstring tip(1024, L'\0');
        SendMsg(SB_GETTIPTEXTW, MAKEWPARAM(part, tip.size()), reinterpret_cast<LPARAM>(tip.data()));
        tip.resize(wcsnlen(tip.c_str(), tip.size()));
        return ToNarrow(tip);
    }
    std::string PartText(int part) const
    {
        size_t length = LOWORD(SendMsg(SB_GETTEXTLENGTHW, part));
        std::wstring text(length + 1, L'\0');
        size_t copied = LOWORD(SendMsg(SB_GETTEXTW, part, reinterpret_cast<LPARAM>(text.data())));
        text.resize(copied < length ? copied : length);
        return ToNarrow(text);
    }
    // Simple mode shows one part over the whole bar (menu prompts).
    void SetSimple(bool simple) const { SendMsg(SB_SIMPLE, simple); }
    // Follows the parent's new size; call from the parent's WM_SIZE.
    void Resize() const { SendMsg(WM_SIZE); }
};

}  // namespace ui
