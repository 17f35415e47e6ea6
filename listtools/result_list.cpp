#include "listtools/result_list.h"

#include "base/narrow.h"
#include "listtools/clipboard.h"
#include "listtools/context_menu.h"
#include "resources/resource.h"

namespace {

constexpr DWORD kBaseStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_OWNERDATA;

bool StartsWithNoCase(const std::string& text, std::wstring_view prefix)
{
    const std::wstring wide = ToWide(text);
    return wide.size() >= prefix.size() &&
           CompareStringOrdinal(wide.data(), static_cast<int>(prefix.size()), prefix.data(),
                                static_cast<int>(prefix.size()), TRUE) == CSTR_EQUAL;
}

}  // namespace

bool ResultList::Create(HWND parent, int id, DWORD style, DWORD exStyle)
{
    HWND control = CreateWindowExW(exStyle, WC_LISTVIEWW, L"", kBaseStyle | style, 0, 0, 0, 0, parent,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                   GetModuleHandleW(nullptr), nullptr);
    return Attach(control);
}

bool ResultList::Attach(HWND control)
{
    view_.Attach(control);
    return control && (view_.Style() & LVS_OWNERDATA);
}

void ResultList::ShowColumnsAndRows()
{
    RebuildColumns(nullptr);
}

void ResultList::ShowFittedColumnsAndRows(const std::vector<int>& userWidths)
{
    RebuildColumns(&userWidths);
}

void ResultList::RebuildColumns(const std::vector<int>* userWidths)
{
    const ui::RedrawPause pause(view_);
    view_.SetItemCountEx(0);
    while (view_.ColumnCount() > 0)
        view_.DeleteColumn(0);
    for (int column = 0; column < model_.ColumnCount(); ++column) {
        const ResultColumn& info = model_.Column(column);
        view_.InsertColumn(column, info.header, info.width,
                           info.rightAligned ? LVCFMT_RIGHT : LVCFMT_LEFT);
    }
    view_.SetItemCountEx(model_.RowCount(), 0);
    fittedWidths_.clear();
    if (userWidths)
        ApplyFittedWidths(*userWidths);
    // Another page starts at its left edge, whatever the last one was scrolled to.
    if (const int scrolled = view_.HorizontalScrollPos(); scrolled != 0)
        view_.Scroll(-scrolled, 0);
}

void ResultList::ShowRows()
{
    view_.SetItemCountEx(model_.RowCount(), LVSICF_NOSCROLL);
    view_.Invalidate(false);
}

void ResultList::FollowSort(const std::vector<int>& oldPositions)
{
    // Only the rows that carry a state are touched: a state change of "all rows" (-1)
    // walks every row of the control, which costs a quarter of a second at 100,000 rows.
    const int count = static_cast<int>(oldPositions.size());
    std::vector<int> selected;
    for (int row = view_.FirstSelected(); row >= 0 && row < count; row = view_.NextItem(row, LVNI_SELECTED))
        selected.push_back(row);
    const int focused = view_.NextItem(-1, LVNI_FOCUSED);
    for (int row : selected)
        view_.SetItemState(row, 0, LVIS_SELECTED);
    if (focused >= 0)
        view_.SetItemState(focused, 0, LVIS_FOCUSED);

    std::vector<int> newPosition(oldPositions.size(), -1);
    for (int now = 0; now < count; ++now)
        if (oldPositions[static_cast<size_t>(now)] >= 0 && oldPositions[static_cast<size_t>(now)] < count)
            newPosition[static_cast<size_t>(oldPositions[static_cast<size_t>(now)])] = now;
    for (int row : selected)
        if (newPosition[static_cast<size_t>(row)] >= 0)
            view_.SetItemState(newPosition[static_cast<size_t>(row)], LVIS_SELECTED, LVIS_SELECTED);
    if (focused >= 0 && focused < count && newPosition[static_cast<size_t>(focused)] >= 0)
        view_.SetItemState(newPosition[static_cast<size_t>(focused)], LVIS_FOCUSED, LVIS_FOCUSED);
    view_.Invalidate(false);
}

void ResultList::ShowSortArrow(int column, bool ascending) const
{
    for (int index = 0; index < view_.ColumnCount(); ++index)
        view_.SetSortArrow(index, index != column ? 0 : ascending ? 1 : -1);
}

void ResultList::SelectRow(int row, bool partialOk) const
{
    MarkRow(row);
    view_.EnsureVisible(row, partialOk);
}

std::vector<int> ResultList::SelectedRows() const
{
    std::vector<int> rows;
    for (int row = view_.FirstSelected(); row >= 0; row = view_.NextItem(row, LVNI_SELECTED))
        rows.push_back(row);
    return rows;
}

void ResultList::MarkRow(int row) const
{
    for (int other : SelectedRows()) {
        if (other != row)
            view_.SetItemState(other, 0, LVIS_SELECTED);
    }
    view_.SelectAndFocus(row);
}

void ResultList::SelectAll() const
{
    if (!(view_.Style() & LVS_SINGLESEL) && model_.RowCount() > 0)
        view_.SetItemState(-1, LVIS_SELECTED, LVIS_SELECTED);
}

int ResultList::CopySelectedRows() const
{
    return CopyTextToClipboard(RowsAsTable(model_, SelectedRows()));
}

void ResultList::StoreColumnWidths()
{
    for (int column = 0; column < model_.ColumnCount() && column < view_.ColumnCount(); ++column)
        model_.SetColumnWidth(column, view_.ColumnWidth(column));
}

void ResultList::OpenContextMenu(POINT screenPoint)
{
    ui::ListCell cell = CellAt(screenPoint);
    if (cell.item >= 0)
        RunContextMenu(screenPoint, cell.item, cell.subItem);
}

void ResultList::OpenContextMenuFromKeyboard()
{
    int row = view_.NextItem(-1, LVNI_FOCUSED);
    if (row < 0 || !view_.IsSelected(row))
        row = SelectedRow();
    POINT point{0, 0};
    if (row >= 0) {
        view_.EnsureVisible(row, false);
        const RECT cell = view_.SubItemRect(row, 0, LVIR_LABEL);
        point = POINT{cell.left + (cell.bottom - cell.top) / 2, cell.bottom};
    }
    view_.ClientToScreen(point);
    RunContextMenu(point, row, 0);
}

bool ResultList::HandleContextMenuKey(const MSG& message)
{
    bool opens = false;
    if (!IsContextMenuKey(message, opens))
        return false;
    if (opens)
        OpenContextMenuFromKeyboard();
    return true;
}

void ResultList::RunContextMenu(POINT screenPoint, int row, int column)
{
    clickedRow_ = row;
    if (row >= 0)
        clickedCellText_ = model_.Cell(row, column);
    const HWND owner = GetAncestor(view_.Handle(), GA_ROOT);
    std::vector<UINT> grayed;
    if (row < 0)
        grayed = {ID_COPY_CELL, ID_COPY_LINE};
    if (view_.Style() & LVS_SINGLESEL)
        grayed.push_back(ID_EDIT_SELECT_ALL);
    const int command = chooseFromMenu_ ? chooseFromMenu_(owner, screenPoint)
                                        : ChooseFromPopupMenu(IDR_POPUP_EDIT, owner, screenPoint, grayed, ownMenuId_);
    switch (command) {
    case 0: break;
    case ID_EDIT_COPY: CopySelectedRows(); break;
    case ID_COPY_CELL: CopyClickedCell(); break;
    case ID_COPY_LINE: CopyLineOfRow(model_, clickedRow_); break;
    case ID_EDIT_SELECT_ALL: SelectAll(); break;
    default: SendCommandToTopLevel(view_.Handle(), command); break;
    }
}

int ResultList::CopyClickedCell() const
{
    return CopyTextToClipboard(clickedCellText_);
}

ui::ListCell ResultList::CellAt(POINT screenPoint) const
{
    view_.ScreenToClient(screenPoint);
    return view_.SubItemHitTest(screenPoint);
}

int ResultList::FindRowByPrefix(const NMLVFINDITEMW& find) const
{
    if (!(find.lvfi.flags & (LVFI_STRING | LVFI_PARTIAL)) || !find.lvfi.psz || model_.RowCount() == 0)
        return -1;
    int start = find.iStart < model_.RowCount() ? find.iStart : 0;
    for (int step = 0; step < model_.RowCount(); ++step) {
        int row = (start + step) % model_.RowCount();
        if (StartsWithNoCase(model_.Cell(row, 0), find.lvfi.psz))
            return row;
        if (!(find.lvfi.flags & LVFI_WRAP) && row == model_.RowCount() - 1)
            break;
    }
    return -1;
}

bool ResultList::HandleNotify(NMHDR* header, LRESULT& result)
{
    if (!header || header->hwndFrom != view_.Handle())
        return false;
    switch (header->code) {
    case LVN_GETDISPINFOW:
        result = 0;
        return ui::ListView::ServeDispInfo(
            header, [this](int item, int subItem) { return model_.Cell(item, subItem); },
            [this](int item) { return item < model_.RowCount() ? model_.Row(item).image : -1; });
    case LVN_ODFINDITEMW:
        result = FindRowByPrefix(*reinterpret_cast<NMLVFINDITEMW*>(header));
        return true;
    case LVN_COLUMNCLICK:
        if (onColumnClick)
            onColumnClick(reinterpret_cast<NMLISTVIEW*>(header)->iSubItem);
        result = 0;
        return true;
    case NM_CUSTOMDRAW:
        result = OnCustomDraw(*reinterpret_cast<NMLVCUSTOMDRAW*>(header));
        return true;
    case NM_DBLCLK:
        if (onDoubleClick)
            onDoubleClick(reinterpret_cast<NMITEMACTIVATE*>(header)->iItem);
        result = 0;
        return true;
    case NM_RCLICK: {
        POINT point;
        GetCursorPos(&point);
        OpenContextMenu(point);
        result = 0;
        return true;
    }
    default:
        return false;
    }
}
