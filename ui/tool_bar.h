// ToolBar: a toolbar of image buttons with tooltips.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

#include "ui/window.h"

namespace ui {

// One button: a command with the image at `image` of the toolbar's image list, or a
// separator (command 0).
struct ToolButton {
    int command = 0;
    int image = 0;
};

class ToolBar : public Window {
public:
    using Window::Window;

    // Creates a toolbar along the top of `parent`. With TBSTYLE_TOOLTIPS the parent
    // receives TTN_GETDISPINFO for each button; answer it with ServeToolTip.
    static ToolBar Create(HWND parent, int id,
                          DWORD style = WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_TOP);

    // The buttons' images (the toolbar does not take ownership).
    void SetImageList(HIMAGELIST images) const
    {
        SendMsg(TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images));
    }
    bool AddButtons(const std::vector<ToolButton>& buttons) const;
    int ButtonCount() const { return static_cast<int>(SendMsg(TB_BUTTONCOUNT)); }
    bool EnableButton(int command, bool enable) const
    {
        return SendMsg(TB_ENABLEBUTTON, command, MAKELPARAM(enable, 0)) != 0;
    }
    bool IsButtonEnabled(int command) const { return SendMsg(TB_ISBUTTONENABLED, command) != 0; }
    // The rectangle of the button at `index`, in the toolbar's client coordinates.
    RECT ButtonRect(int index) const
    {
        RECT rect{};
        SendMsg(TB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&rect));
        return rect;
    }
    // Follows the parent's new size; call from the parent's WM_SIZE.
    void AutoSize() const { SendMsg(TB_AUTOSIZE); }

    // Answers a TTN_GETDISPINFO notification with the tooltip `textOf` gives for the
    // button's command. `storage` keeps the text alive until the next request (one per
    // toolbar). False for any other notification.
    using ToolTipFunction = std::function<std::string(int command)>;
    static bool ServeToolTip(NMHDR* header, const ToolTipFunction& textOf, std::wstring& storage);
};

}  // namespace ui
