// TabCtrl: a tab control.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "base/narrow.h"
#include "ui/window.h"

namespace ui {

class TabCtrl : public Window {
public:
    using Window::Window;

    int InsertItem(int index, const std::string& text) const
    {
        std::wstring wide = ToWide(text);
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = wide.data();
        return static_cast<int>(SendMsg(TCM_INSERTITEMW, index, reinterpret_cast<LPARAM>(&item)));
    }
    int ItemCount() const { return static_cast<int>(SendMsg(TCM_GETITEMCOUNT)); }
    int CurSel() const { return static_cast<int>(SendMsg(TCM_GETCURSEL)); }
    // Selects a tab without raising TCN_SELCHANGE; returns the previous selection.
    int SetCurSel(int index) const { return static_cast<int>(SendMsg(TCM_SETCURSEL, index)); }
    // The rectangle of a tab header, in the control's client coordinates.
    RECT ItemRect(int index) const
    {
        RECT rect{};
        SendMsg(TCM_GETITEMRECT, index, reinterpret_cast<LPARAM>(&rect));
        return rect;
    }
    // larger = false: window rectangle to display area; true: the reverse.
    void AdjustRect(bool larger, RECT& rect) const
    {
        SendMsg(TCM_ADJUSTRECT, larger, reinterpret_cast<LPARAM>(&rect));
    }
};

}  // namespace ui
