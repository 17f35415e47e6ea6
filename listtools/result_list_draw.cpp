// How the result list draws what the control does not: the selected row while the list
// lacks the focus, and the text of an empty list.
#include "listtools/result_list.h"

#include "base/narrow.h"

#include "ui/ui_font.h"

void ResultList::UseFont(HFONT font)
{
    if (font)
        view_.SendMsg(WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    const int height = ui::RoomyRowHeight(view_.Handle());
    HIMAGELIST own = reinterpret_cast<HIMAGELIST>(view_.SendMsg(LVM_GETIMAGELIST, LVSIL_SMALL));
    if (height <= 0 || (own && own != rowSpacer_.Handle()))
        return;   // the list's own images set its rows' height
    rowSpacer_ = ui::ImageList::Create(1, height, ILC_COLOR, 0, 1);
    view_.ModifyStyle(0, LVS_SHAREIMAGELISTS);   // the spacer is ours to destroy
    view_.SetImageList(rowSpacer_.Handle(), LVSIL_SMALL);
}

void ResultList::SetEmptyText(std::string text)
{
    if (text == emptyText_)
        return;
    emptyText_ = std::move(text);
    view_.Invalidate();
}

LRESULT ResultList::OnCustomDraw(NMLVCUSTOMDRAW& draw) const
{
    switch (draw.nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
        return CDRF_NOTIFYITEMDRAW | (model_.RowCount() == 0 && !emptyText_.empty() ? CDRF_NOTIFYPOSTPAINT : 0);
    case CDDS_ITEMPREPAINT:
        // Without the focus the control draws the selection in the face colour, which
        // some looks make nearly white: a match of Find would vanish behind the dialog.
        if ((draw.nmcd.uItemState & CDIS_SELECTED) && GetFocus() != view_.Handle() &&
            view_.IsSelected(static_cast<int>(draw.nmcd.dwItemSpec))) {
            draw.nmcd.uItemState &= ~static_cast<UINT>(CDIS_SELECTED);
            draw.clrText = GetSysColor(COLOR_HIGHLIGHTTEXT);
            draw.clrTextBk = GetSysColor(COLOR_HIGHLIGHT);
            return CDRF_NEWFONT;
        }
        return CDRF_DODEFAULT;
    case CDDS_POSTPAINT:
        DrawEmptyText(draw.nmcd.hdc);
        return CDRF_DODEFAULT;
    default:
        return CDRF_DODEFAULT;
    }
}

void ResultList::DrawEmptyText(HDC dc) const
{
    if (model_.RowCount() != 0 || emptyText_.empty())
        return;
    RECT area = view_.ClientRect();
    RECT header{};
    if (HWND control = view_.Header(); control && IsWindowVisible(control)) {
        GetWindowRect(control, &header);
        area.top += header.bottom - header.top;
    }
    area.bottom = area.top + (area.bottom - area.top) / 2;   // in the upper half, where the rows would be
    area.top += 8;
    HGDIOBJ oldFont = SelectObject(dc, reinterpret_cast<HFONT>(view_.SendMsg(WM_GETFONT)));
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    const COLORREF oldColor = SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
    const std::wstring text = ToWide(emptyText_);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &area,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    SetTextColor(dc, oldColor);
    SetBkMode(dc, oldMode);
    SelectObject(dc, oldFont);
}
