#include "appearance/tab_painter.h"

#include <commctrl.h>

#include <algorithm>
#include <iterator>
#include <string>

#include "appearance/appearance_paint.h"

namespace appearance {
namespace {

struct TabItem {
    std::wstring text;
    int image = -1;
};

TabItem ItemOf(HWND tab, int index)
{
    wchar_t buffer[260] = L"";
    TCITEMW item{};
    item.mask = TCIF_TEXT | TCIF_IMAGE;
    item.pszText = buffer;
    item.cchTextMax = static_cast<int>(std::size(buffer));
    if (!SendMessageW(tab, TCM_GETITEMW, index, reinterpret_cast<LPARAM>(&item)))
        return {};
    return {buffer, item.iImage};
}

// The bottom of the lowest tab header: where the page frame starts.
int HeaderBottom(HWND tab, int count)
{
    int bottom = 0;
    for (int index = 0; index < count; ++index) {
        RECT rect{};
        SendMessageW(tab, TCM_GETITEMRECT, index, reinterpret_cast<LPARAM>(&rect));
        bottom = std::max(bottom, static_cast<int>(rect.bottom));
    }
    return bottom;
}

bool FocusShown(HWND tab)
{
    LRESULT state = SendMessageW(tab, WM_QUERYUISTATE, 0, 0);
    return GetFocus() == tab && !(state & UISF_HIDEFOCUS);
}

void DrawTab(HWND tab, HDC dc, int index, bool selected, int pageTop, const AppearanceStyle& style)
{
    RECT rect{};
    SendMessageW(tab, TCM_GETITEMRECT, index, reinterpret_cast<LPARAM>(&rect));
    if (selected)
        rect = {rect.left - 2, rect.top - 2, rect.right + 2, pageTop + 1};
    else
        rect.bottom = pageTop;
    FillGradient(dc, rect, selected ? style.tabSelected : style.tabUnselected);
    FillSolid(dc, {rect.left, rect.top, rect.right, rect.top + 1}, style.tabBorder);
    FillSolid(dc, {rect.left, rect.top, rect.left + 1, rect.bottom}, style.tabBorder);
    FillSolid(dc, {rect.right - 1, rect.top, rect.right, rect.bottom}, style.tabBorder);

    TabItem item = ItemOf(tab, index);
    RECT textRect = rect;
    HIMAGELIST images = reinterpret_cast<HIMAGELIST>(SendMessageW(tab, TCM_GETIMAGELIST, 0, 0));
    int imageWidth = 0, imageHeight = 0;
    if (images && item.image >= 0 && ImageList_GetIconSize(images, &imageWidth, &imageHeight)) {
        int y = (rect.top + rect.bottom - imageHeight) / 2;
        ImageList_Draw(images, item.image, dc, rect.left + 6, y, ILD_TRANSPARENT);
        textRect.left += imageWidth + 6;
    }
    SetTextColor(dc, selected ? style.tabSelectedText : style.tabUnselectedText);
    DrawTextW(dc, item.text.c_str(), static_cast<int>(item.text.size()), &textRect,
              DT_SINGLELINE | DT_VCENTER | DT_CENTER | DT_END_ELLIPSIS);
    if (selected && FocusShown(tab)) {
        RECT focus = rect;
        InflateRect(&focus, -3, -3);
        DrawFocusRect(dc, &focus);
    }
}

}  // namespace

bool CanPaintTabControl(HWND tab)
{
    LONG style = GetWindowLongW(tab, GWL_STYLE);
    return !(style & (TCS_BUTTONS | TCS_BOTTOM | TCS_VERTICAL | TCS_OWNERDRAWFIXED));
}

int TabPageTop(HWND tab)
{
    const int count = static_cast<int>(SendMessageW(tab, TCM_GETITEMCOUNT, 0, 0));
    return count > 0 ? HeaderBottom(tab, count) : 0;
}

RECT TabStripRect(HWND tab)
{
    RECT client{};
    GetClientRect(tab, &client);
    return {client.left, client.top, client.right, std::min(TabPageTop(tab) + 1, static_cast<int>(client.bottom))};
}

void PaintTabPage(HWND tab, HDC dc, const AppearanceStyle& style)
{
    RECT client{};
    GetClientRect(tab, &client);
    const RECT page{client.left, TabPageTop(tab), client.right, client.bottom};
    FillSolid(dc, page, style.tabSelected.bottom);
    FrameSolid(dc, page, style.tabBorder);
}

void PaintTabStrip(HWND tab, HDC dc, const AppearanceStyle& style)
{
    RECT client{};
    GetClientRect(tab, &client);
    const int count = static_cast<int>(SendMessageW(tab, TCM_GETITEMCOUNT, 0, 0));
    const int selected = static_cast<int>(SendMessageW(tab, TCM_GETCURSEL, 0, 0));
    const int pageTop = TabPageTop(tab);

    FillSolid(dc, {client.left, client.top, client.right, pageTop}, style.tabBackground);
    // The page frame's top edge, which the selected tab opens.
    FillSolid(dc, {client.left, pageTop, client.right, pageTop + 1}, style.tabBorder);

    HFONT font = reinterpret_cast<HFONT>(SendMessageW(tab, WM_GETFONT, 0, 0));
    ScopedSelect selectedFont(dc, font ? static_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    for (int index = 0; index < count; ++index) {
        if (index != selected)
            DrawTab(tab, dc, index, false, pageTop, style);
    }
    if (selected >= 0 && selected < count)
        DrawTab(tab, dc, selected, true, pageTop, style);
}

void PaintTabControl(HWND tab, HDC dc, const AppearanceStyle& style)
{
    PaintTabPage(tab, dc, style);
    PaintTabStrip(tab, dc, style);
}

}  // namespace appearance
