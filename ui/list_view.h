// ListView: a list-view control in report view.
//
// Two ways to fill it: normal items (InsertItem, SetItemText) for small lists, or a
// virtual list (style LVS_OWNERDATA): SetItemCountEx gives the number of rows and the
// parent answers LVN_GETDISPINFO with ServeDispInfo from its own data.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>

#include "base/narrow.h"
#include "ui/window.h"

namespace ui {

// The cell under a point: item and subItem are -1 when no cell is there.
struct ListCell {
    int item = -1;
    int subItem = -1;
};

class ListView : public Window {
public:
    using Window::Window;

    // ---- columns
    int InsertColumn(int index, const std::string& text, int width, int format = LVCFMT_LEFT) const
    {
        std::wstring wide = ToWide(text);
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
        column.fmt = format;
        column.cx = width;
        column.pszText = wide.data();
        return static_cast<int>(SendMsg(LVM_INSERTCOLUMNW, index, reinterpret_cast<LPARAM>(&column)));
    }
    bool DeleteColumn(int index) const { return SendMsg(LVM_DELETECOLUMN, index) != 0; }
    int ColumnCount() const { return Header_GetItemCount(Header()); }
    int ColumnWidth(int index) const { return static_cast<int>(SendMsg(LVM_GETCOLUMNWIDTH, index)); }
    // The width `text` takes in the list's font, without the margins of a cell.
    int TextWidth(const std::string& text) const
    {
        const std::wstring wide = ToWide(text);
        return static_cast<int>(SendMsg(LVM_GETSTRINGWIDTHW, 0, reinterpret_cast<LPARAM>(wide.c_str())));
    }
    bool SetColumnWidth(int index, int width) const
    {
        return SendMsg(LVM_SETCOLUMNWIDTH, index, MAKELPARAM(width, 0)) != 0;
    }
    // LVCFMT_LEFT, LVCFMT_RIGHT or LVCFMT_CENTER.
    int ColumnFormat(int index) const
    {
        LVCOLUMNW column{};
        column.mask = LVCF_FMT;
        SendMsg(LVM_GETCOLUMNW, index, reinterpret_cast<LPARAM>(&column));
        return column.fmt & LVCFMT_JUSTIFYMASK;
    }
    std::string ColumnText(int index) const;
    // The header's sort arrow on column `index`: 1 up (ascending), -1 down, 0 none.
    void SetSortArrow(int index, int direction) const
    {
        HDITEMA item{};
        item.mask = HDI_FORMAT;
        HWND header = Header();
        if (!Header_GetItem(header, index, &item))
            return;
        const int shown = item.fmt;
        item.fmt &= ~(HDF_SORTUP | HDF_SORTDOWN);
        item.fmt |= direction > 0 ? HDF_SORTUP : direction < 0 ? HDF_SORTDOWN : 0;
        if (item.fmt != shown)   // a header item set again is drawn again
            Header_SetItem(header, index, &item);
    }
    // 1, -1 or 0 as SetSortArrow gave it.
    int SortArrow(int index) const
    {
        HDITEMA item{};
        item.mask = HDI_FORMAT;
        if (!Header_GetItem(Header(), index, &item))
            return 0;
        return (item.fmt & HDF_SORTUP) ? 1 : (item.fmt & HDF_SORTDOWN) ? -1 : 0;
    }
    HWND Header() const { return reinterpret_cast<HWND>(SendMsg(LVM_GETHEADER)); }

    // ---- normal items
    int InsertItem(int index, const std::string& text, int image = -1, LPARAM data = 0) const
    {
        std::wstring wide = ToWide(text);
        LVITEMW item{};
        item.mask = LVIF_TEXT | LVIF_PARAM | (image >= 0 ? LVIF_IMAGE : 0);
        item.iItem = index;
        item.pszText = wide.data();
        item.iImage = image;
        item.lParam = data;
        return static_cast<int>(SendMsg(LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
    }
    bool SetItemText(int item, int subItem, const std::string& text) const
    {
        std::wstring wide = ToWide(text);
        LVITEMW cell{};
        cell.iSubItem = subItem;
        cell.pszText = wide.data();
        return SendMsg(LVM_SETITEMTEXTW, item, reinterpret_cast<LPARAM>(&cell)) != 0;
    }
    // The text of a cell, of normal and of virtual lists alike.
    std::string ItemText(int item, int subItem) const;
    bool SetItemData(int item, LPARAM data) const
    {
        LVITEMW entry{};
        entry.mask = LVIF_PARAM;
        entry.iItem = item;
        entry.lParam = data;
        return SendMsg(LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&entry)) != 0;
    }
    LPARAM ItemData(int item) const
    {
        LVITEMW entry{};
        entry.mask = LVIF_PARAM;
        entry.iItem = item;
        SendMsg(LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&entry));
        return entry.lParam;
    }
    bool DeleteItem(int item) const { return SendMsg(LVM_DELETEITEM, item) != 0; }
    bool DeleteAllItems() const { return SendMsg(LVM_DELETEALLITEMS) != 0; }
    int ItemCount() const { return static_cast<int>(SendMsg(LVM_GETITEMCOUNT)); }
    // Sorts normal items; `compare` receives item indexes (LVM_SORTITEMSEX).
    bool SortItemsEx(PFNLVCOMPARE compare, LPARAM context) const
    {
        return SendMsg(LVM_SORTITEMSEX, context, reinterpret_cast<LPARAM>(compare)) != 0;
    }

    // ---- virtual lists (LVS_OWNERDATA)
    bool SetItemCountEx(int count, DWORD flags = LVSICF_NOINVALIDATEALL) const
    {
        return SendMsg(LVM_SETITEMCOUNT, count, flags) != 0;
    }
    // Answers an LVN_GETDISPINFO notification from the parent's data: the text of
    // (item, subItem) from `cellText`, the image of an item from `itemImage` when
    // given. False for any other notification.
    using CellTextFunction = std::function<std::string(int item, int subItem)>;
    using ItemImageFunction = std::function<int(int item)>;
    static bool ServeDispInfo(NMHDR* header, const CellTextFunction& cellText,
                              const ItemImageFunction& itemImage = {});

    // ---- state and selection
    bool SetItemState(int item, UINT state, UINT mask) const
    {
        LVITEMA entry{};
        entry.state = state;
        entry.stateMask = mask;
        return SendMsg(LVM_SETITEMSTATE, item, reinterpret_cast<LPARAM>(&entry)) != 0;
    }
    UINT ItemState(int item, UINT mask) const
    {
        return static_cast<UINT>(SendMsg(LVM_GETITEMSTATE, item, mask));
    }
    bool IsSelected(int item) const { return ItemState(item, LVIS_SELECTED) != 0; }
    // Selects and focuses `item`, leaving other rows as they are (item -1: all rows).
    bool SelectAndFocus(int item) const
    {
        return SetItemState(item, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    }
    int NextItem(int start, UINT flags) const
    {
        return static_cast<int>(SendMsg(LVM_GETNEXTITEM, start, flags));
    }
    int FirstSelected() const { return NextItem(-1, LVNI_SELECTED); }
    int SelectedCount() const { return static_cast<int>(SendMsg(LVM_GETSELECTEDCOUNT)); }
    bool EnsureVisible(int item, bool partialOk = false) const
    {
        return SendMsg(LVM_ENSUREVISIBLE, item, partialOk) != 0;
    }

    // ---- geometry
    // The cell under `point` (client coordinates).
    ListCell SubItemHitTest(POINT point) const
    {
        LVHITTESTINFO hit{};
        hit.pt = point;
        if (SendMsg(LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit)) < 0 || hit.iItem < 0)
            return {};
        return {hit.iItem, hit.iSubItem};
    }
    RECT ItemRect(int item, int code = LVIR_BOUNDS) const
    {
        RECT rect{};
        rect.left = code;
        SendMsg(LVM_GETITEMRECT, item, reinterpret_cast<LPARAM>(&rect));
        return rect;
    }
    RECT SubItemRect(int item, int subItem, int code = LVIR_BOUNDS) const
    {
        RECT rect{};
        rect.top = subItem;
        rect.left = code;
        SendMsg(LVM_GETSUBITEMRECT, item, reinterpret_cast<LPARAM>(&rect));
        return rect;
    }
    bool Scroll(int dx, int dy) const { return SendMsg(LVM_SCROLL, dx, dy) != 0; }
    bool HasHorizontalScrollBar() const { return (Style() & WS_HSCROLL) != 0; }
    int HorizontalScrollPos() const { return GetScrollPos(hwnd_, SB_HORZ); }

    // ---- appearance
    // LVS_REPORT, LVS_ICON, LVS_SMALLICON or LVS_LIST.
    void SetView(DWORD view) const { ModifyStyle(LVS_TYPEMASK, view); }
    void SetExtendedStyle(DWORD mask, DWORD style) const
    {
        SendMsg(LVM_SETEXTENDEDLISTVIEWSTYLE, mask, style);
    }
    DWORD ExtendedStyle() const { return static_cast<DWORD>(SendMsg(LVM_GETEXTENDEDLISTVIEWSTYLE)); }
    // `kind` LVSIL_NORMAL or LVSIL_SMALL; the list does not take ownership.
    HIMAGELIST SetImageList(HIMAGELIST images, int kind) const
    {
        return reinterpret_cast<HIMAGELIST>(SendMsg(LVM_SETIMAGELIST, kind, reinterpret_cast<LPARAM>(images)));
    }
};

}  // namespace ui
