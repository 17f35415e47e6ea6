#include "ui/quiet_drop_down.h"

namespace ui {

bool QuietDropDown::IsEmpty() const
{
    return SendMessageW(hwnd_, CB_GETCOUNT, 0, 0) <= 0;
}

bool QuietDropDown::IsEmptyOpenKey(const MSG& message) const
{
    if (!hwnd_ || !IsChild(hwnd_, message.hwnd) || !IsEmpty())
        return false;
    if (message.message == WM_KEYDOWN && message.wParam == VK_F4)
        return true;
    return message.message == WM_SYSKEYDOWN && (message.wParam == VK_DOWN || message.wParam == VK_UP);
}

LRESULT QuietDropDown::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if ((message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK) && IsEmpty()) {
        // A click on the button would open the empty list: the field takes the focus.
        COMBOBOXINFO parts{};
        parts.cbSize = sizeof parts;
        const POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        if (GetComboBoxInfo(hwnd_, &parts) && PtInRect(&parts.rcButton, point)) {
            ::SetFocus(parts.hwndItem);
            return 0;
        }
    }
    if (message == CB_SHOWDROPDOWN && wParam && IsEmpty())
        return TRUE;
    return DefaultProc(message, wParam, lParam);
}

}  // namespace ui
