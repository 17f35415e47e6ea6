#include "appearance/bar_painters.h"

#include <string>

#include "appearance/appearance_paint.h"
#include "base/handles.h"

namespace appearance {
namespace {

// ---------------------------------------------------------------- toolbar

void PaintSeparators(HWND toolBar, HDC dc, const AppearanceStyle& style)
{
    RECT client{};
    GetClientRect(toolBar, &client);
    int count = static_cast<int>(SendMessageW(toolBar, TB_BUTTONCOUNT, 0, 0));
    for (int index = 0; index < count; ++index) {
        TBBUTTON button{};
        if (!SendMessageW(toolBar, TB_GETBUTTON, index, reinterpret_cast<LPARAM>(&button)) ||
            !(button.fsStyle & BTNS_SEP) || (button.fsState & TBSTATE_HIDDEN))
            continue;
        RECT rect{};
        SendMessageW(toolBar, TB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&rect));
        FillGradient(dc, client, style.toolBar, rect);
        int x = (rect.left + rect.right) / 2;
        int inset = (rect.bottom - rect.top) / 6;
        FillSolid(dc, {x, rect.top + inset, x + 1, rect.bottom - inset}, style.toolBarSeparator);
        FillSolid(dc, {x + 1, rect.top + inset, x + 2, rect.bottom - inset},
                  MixColors(RGB(255, 255, 255), style.toolBar.top, 160));
    }
}

// ---------------------------------------------------------------- status bar

std::wstring PaneText(HWND statusBar, int part, UINT& type)
{
    LRESULT lengthAndType = SendMessageW(statusBar, SB_GETTEXTLENGTHW, part, 0);
    type = HIWORD(lengthAndType);
    std::wstring text(LOWORD(lengthAndType) + 1, L'\0');
    LRESULT copied = SendMessageW(statusBar, SB_GETTEXTW, part, reinterpret_cast<LPARAM>(text.data()));
    text.resize(LOWORD(copied) < text.size() ? LOWORD(copied) : text.size() - 1);
    return text;
}

// Tabs at the start of a pane text centre (one) or right-align (two) what follows.
void DrawPaneText(HDC dc, RECT rect, std::wstring text)
{
    UINT format = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS | DT_LEFT;
    size_t tabs = text.find_first_not_of(L'\t');
    tabs = tabs == std::wstring::npos ? text.size() : tabs;
    if (tabs == 1)
        format = (format & ~DT_LEFT) | DT_CENTER;
    else if (tabs >= 2)
        format = (format & ~DT_LEFT) | DT_RIGHT;
    text.erase(0, tabs);
    InflateRect(&rect, -3, 0);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect, format);
}

void DrawOwnerPane(HWND statusBar, HDC dc, int part, const RECT& rect)
{
    DRAWITEMSTRUCT item{};
    item.CtlID = static_cast<UINT>(GetDlgCtrlID(statusBar));
    item.itemID = static_cast<UINT>(part);
    item.itemAction = ODA_DRAWENTIRE;
    item.hwndItem = statusBar;
    item.hDC = dc;
    item.rcItem = rect;
    item.itemData = static_cast<ULONG_PTR>(SendMessageW(statusBar, SB_GETTEXTW, part, 0));
    SendMessageW(GetParent(statusBar), WM_DRAWITEM, item.CtlID, reinterpret_cast<LPARAM>(&item));
}

void DrawPane(HWND statusBar, HDC dc, int part, RECT rect, const AppearanceStyle& style)
{
    UINT type = 0;
    std::wstring text = PaneText(statusBar, part, type);
    if (!(type & SBT_NOBORDERS)) {
        if (style.classicControls)
            DrawEdge(dc, &rect, (type & SBT_POPOUT) ? BDR_RAISEDINNER : BDR_SUNKENOUTER, BF_RECT);
        else
            FrameSolid(dc, rect, style.statusPaneBorder);
    }
    InflateRect(&rect, -1, -1);
    if (type & SBT_OWNERDRAW)
        DrawOwnerPane(statusBar, dc, part, rect);
    else
        DrawPaneText(dc, rect, text);
}

void DrawSizeGrip(HDC dc, const RECT& client, const AppearanceStyle& style)
{
    COLORREF light = MixColors(RGB(255, 255, 255), style.statusBar.bottom, 150);
    for (int row = 0; row < 3; ++row) {
        for (int column = 2 - row; column < 3; ++column) {
            int x = client.right - 4 - (2 - column) * 4;
            int y = client.bottom - 4 - (2 - row) * 4 - 1;
            FillSolid(dc, {x, y, x + 2, y + 2}, light);
            FillSolid(dc, {x - 1, y - 1, x + 1, y + 1}, style.statusPaneBorder);
        }
    }
}

// A copy of the status bar's font (or of the system's status font when it has none)
// whose character set is left to the font mapper: the user's code page then picks a
// face that has the glyphs of the pane texts, as the menu font does.
UniqueFont StatusFont(HWND statusBar)
{
    LOGFONTW font{};
    HFONT own = reinterpret_cast<HFONT>(SendMessageW(statusBar, WM_GETFONT, 0, 0));
    if (!own || !GetObjectW(own, sizeof(font), &font)) {
        NONCLIENTMETRICSW metrics{};
        metrics.cbSize = sizeof(metrics);
        if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0))
            return UniqueFont(nullptr);
        font = metrics.lfStatusFont;
    }
    font.lfCharSet = DEFAULT_CHARSET;
    return UniqueFont(CreateFontIndirectW(&font));
}

bool ShowsSizeGrip(HWND statusBar)
{
    if (!(GetWindowLongW(statusBar, GWL_STYLE) & SBARS_SIZEGRIP))
        return false;
    HWND root = GetAncestor(statusBar, GA_ROOT);
    return !(root && IsZoomed(root));
}

}  // namespace

void PaintToolBarBackground(HWND toolBar, HDC dc, const AppearanceStyle& style)
{
    RECT client{};
    GetClientRect(toolBar, &client);
    FillGradient(dc, client, style.toolBar);
    FillSolid(dc, {client.left, client.bottom - 1, client.right, client.bottom}, style.toolBarBorder);
}

LRESULT ToolBarCustomDraw(NMTBCUSTOMDRAW& draw, const AppearanceStyle& style)
{
    switch (draw.nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
        return CDRF_NOTIFYITEMDRAW | CDRF_NOTIFYPOSTPAINT;
    case CDDS_ITEMPREPAINT: {
        UINT state = draw.nmcd.uItemState;
        if (state & CDIS_DISABLED)
            return CDRF_DODEFAULT;
        if (state & (CDIS_SELECTED | CDIS_CHECKED))
            FillItemFace(draw.nmcd.hdc, draw.nmcd.rc, style.toolButtonPressed);
        else if (state & CDIS_HOT)
            FillItemFace(draw.nmcd.hdc, draw.nmcd.rc, style.toolButtonHot);
        return TBCDRF_NOEDGES | TBCDRF_NOBACKGROUND | TBCDRF_NOOFFSET;
    }
    case CDDS_POSTPAINT:
        PaintSeparators(draw.nmcd.hdr.hwndFrom, draw.nmcd.hdc, style);
        return CDRF_DODEFAULT;
    default:
        return CDRF_DODEFAULT;
    }
}

void PaintStatusBar(HWND statusBar, HDC dc, const AppearanceStyle& style)
{
    RECT client{};
    GetClientRect(statusBar, &client);
    FillGradient(dc, client, style.statusBar);
    FillSolid(dc, {client.left, client.top, client.right, client.top + 1}, style.statusPaneBorder);

    UniqueFont font = StatusFont(statusBar);
    ScopedSelect selected(dc, font ? static_cast<HGDIOBJ>(font.Get()) : GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, style.statusText);
    if (SendMessageW(statusBar, SB_ISSIMPLE, 0, 0)) {
        RECT rect = client;
        InflateRect(&rect, -2, -2);
        UINT type = 0;
        DrawPaneText(dc, rect, PaneText(statusBar, SB_SIMPLEID, type));
    } else {
        int parts = static_cast<int>(SendMessageW(statusBar, SB_GETPARTS, 0, 0));
        for (int part = 0; part < parts; ++part) {
            RECT rect{};
            if (SendMessageW(statusBar, SB_GETRECT, part, reinterpret_cast<LPARAM>(&rect)))
                DrawPane(statusBar, dc, part, rect, style);
        }
    }
    if (ShowsSizeGrip(statusBar))
        DrawSizeGrip(dc, client, style);
}

}  // namespace appearance
