#include "ui/tab_page.h"

#include <commctrl.h>

#include "ui/dpi.h"

namespace {
constexpr int kTabMargin = 5;
}

bool FitIntoTabPage(HWND form, HWND tab)
{
    if (!tab)
        return false;
    RECT tabRect;
    GetWindowRect(tab, &tabRect);
    RECT header{};
    TabCtrl_GetItemRect(tab, 0, &header);
    const int margin = ui::ScalePixels(form, kTabMargin);
    RECT page{tabRect.left + margin, tabRect.top + header.bottom + margin, tabRect.right - margin,
              tabRect.bottom - margin};
    MapWindowPoints(nullptr, tab, reinterpret_cast<POINT*>(&page), 2);
    MoveWindow(form, page.left, page.top, page.right - page.left, page.bottom - page.top, TRUE);
    return true;
}
