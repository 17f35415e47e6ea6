// ComboBox: a drop-down list (CBS_DROPDOWNLIST), possibly sorted (CBS_SORT).
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "base/narrow.h"
#include "ui/window.h"

namespace ui {

class ComboBox : public Window {
public:
    using Window::Window;

    void Reset() const { SendMsg(CB_RESETCONTENT); }
    // Adds an entry carrying `data`; returns its index (its sorted place in a sorted
    // list), or a negative value on failure.
    int AddString(const std::string& text, LPARAM data = 0) const
    {
        const std::wstring wide = ToWide(text);
        int index = static_cast<int>(SendMsg(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str())));
        if (index >= 0)
            SendMsg(CB_SETITEMDATA, index, data);
        return index;
    }
    int Count() const { return static_cast<int>(SendMsg(CB_GETCOUNT)); }
    // -1 when nothing is selected.
    int CurSel() const { return static_cast<int>(SendMsg(CB_GETCURSEL)); }
    int SetCurSel(int index) const { return static_cast<int>(SendMsg(CB_SETCURSEL, index)); }
    LPARAM ItemData(int index) const { return SendMsg(CB_GETITEMDATA, index); }
    std::string ItemText(int index) const
    {
        LRESULT length = SendMsg(CB_GETLBTEXTLEN, index);
        if (length <= 0)
            return {};
        std::vector<wchar_t> buffer(static_cast<size_t>(length) + 1, L'\0');
        LRESULT copied = SendMsg(CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(buffer.data()));
        return copied > 0 ? ToNarrow(std::wstring_view(buffer.data(), static_cast<size_t>(copied))) : std::string();
    }
    // Selects the first entry after `start` (-1: from the top) that begins with
    // `prefix`, ignoring case; returns its index or CB_ERR.
    int SelectStringPrefix(const std::string& prefix, int start = -1) const
    {
        const std::wstring wide = ToWide(prefix);
        return static_cast<int>(SendMsg(CB_SELECTSTRING, start, reinterpret_cast<LPARAM>(wide.c_str())));
    }
};

}  // namespace ui
