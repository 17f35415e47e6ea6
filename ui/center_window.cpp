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

RECT FitIntoWorkArea(const RECT& wanted)
{
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (!GetMonitorInfoW(MonitorFromRect(&wanted, MONITOR_DEFAULTTONEAREST), &monitor))
        return wanted;
    const RECT& work = monitor.rcWork;
    const LONG width = std::min(wanted.right - wanted.left, work.right - work.left);
    const LONG height = std::min(wanted.bottom - wanted.top, work.bottom - work.top);
    const LONG left = std::clamp(wanted.left, work.left, work.right - width);
    const LONG top = std::clamp(wanted.top, work.top, work.bottom - height);
    return RECT{left, top, left + width, top + height};
}

RECT FitPlacementIntoWorkArea(const RECT& normal)
{
    // Workspace coordinates start at the primary work area's corner, screen ones at the
    // primary monitor's.
    MONITORINFO primary{};
    primary.cbSize = sizeof primary;
    const POINT origin{0, 0};
    if (!GetMonitorInfoW(MonitorFromPoint(origin, MONITOR_DEFAULTTOPRIMARY), &primary))
        return normal;
    const LONG dx = primary.rcWork.left - primary.rcMonitor.left;
    const LONG dy = primary.rcWork.top - primary.rcMonitor.top;
    RECT fitted = FitIntoWorkArea(RECT{normal.left + dx, normal.top + dy, normal.right + dx, normal.bottom + dy});
    OffsetRect(&fitted, -dx, -dy);
    return fitted;
}

}  // namespace ui
