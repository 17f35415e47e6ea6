#include "ui/center_window.h"

#include <algorithm>

namespace ui {

void CenterOnOwner(HWND popup, HWND owner)
{
    HWND top = owner ? GetAncestor(owner, GA_ROOT) : nullptr;
    if (!popup || !top || IsIconic(top))
        return;
    RECT ownerRect{};
    RECT popupRect{};
    GetWindowRect(top, &ownerRect);
    GetWindowRect(popup, &popupRect);
    const int width = popupRect.right - popupRect.left;
    const int height = popupRect.bottom - popupRect.top;
    int left = (ownerRect.left + ownerRect.right - width) / 2;
    int topEdge = (ownerRect.top + ownerRect.bottom - height) / 2;
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (GetMonitorInfoW(MonitorFromWindow(top, MONITOR_DEFAULTTONEAREST), &monitor)) {
        const RECT& work = monitor.rcWork;
        left = std::max<int>(work.left, std::min<int>(left, work.right - width));
        topEdge = std::max<int>(work.top, std::min<int>(topEdge, work.bottom - height));
    }
    SetWindowPos(popup, nullptr, left, topEdge, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace ui
