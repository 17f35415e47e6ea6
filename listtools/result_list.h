// A report list that shows a ResultModel: a virtual list view (LVS_OWNERDATA) whose rows,
// cells and images come from the model, so that filling, sorting and searching large
// results costs nothing on screen. The owning form forwards the list's notifications
// (HandleNotify) and decides what clicks and keys do.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "listtools/result_model.h"
#include "ui/image_list.h"
#include "ui/list_view.h"

class ResultList {
public:
    // Creates the control as a child of `parent`: report view, virtual, with `style` added.
    bool Create(HWND parent, int id, DWORD style, DWORD exStyle = WS_EX_CLIENTEDGE);
    // Takes over a list-view control of a dialog template; it must be virtual
    // (LVS_OWNERDATA), which a style cannot add after creation.
    bool Attach(HWND control);

    HWND Handle() const { return view_.Handle(); }
    const ui::ListView& View() const { return view_; }
    ResultModel& Model() { return model_; }
    const ResultModel& Model() const { return model_; }

    // Rebuilds the control's columns from the model and shows its rows, nothing selected.
    void ShowColumnsAndRows();
    // The same, with the columns fitted as FitColumns fits them before the list draws
    // again: one repaint, not one per column.
    void ShowFittedColumnsAndRows(const std::vector<int>& userWidths);
    // The model's rows changed: shows the new row count and repaints.
    void ShowRows();
    // After the model was sorted: the selected and focused rows move with their data.
    void FollowSort(const std::vector<int>& oldPositions);
    // The header shows which column the rows are sorted by, and which way; column -1
    // (unsorted) shows no arrow.
    void ShowSortArrow(int column, bool ascending) const;

    // The first selected row, -1 when none.
    int SelectedRow() const { return view_.FirstSelected(); }
    // Every selected row, top to bottom.
    std::vector<int> SelectedRows() const;
    // Selects `row` alone, focuses it and scrolls it into view.
    void SelectRow(int row, bool partialOk = false) const;
    // Sets the selected and focused state of `row` and drops the other selected rows,
    // nothing else. They are deselected one by one, because the control's own
    // deselection walks every row of a virtual list.
    void MarkRow(int row) const;
    // Select All: every row selected, the focus where it was.
    void SelectAll() const;
    // Copy: the selected rows under the column names, tab-separated (RowsAsTable), onto
    // the clipboard; what CopyTextToClipboard returns, 0 when no row is selected.
    int CopySelectedRows() const;
    // The column widths the user dragged, read back into the model.
    void StoreColumnWidths();
    // Sets every column's width: `userWidths[column]` where it is above 0 (a width the
    // user chose), otherwise as wide as the column's header and cells need, within
    // 40..480 pixels at 96 dpi (the last column up to 2000, for long texts). The last
    // column, unless the user sized it, also fills the rest of the list's width.
    void FitColumns(const std::vector<int>& userWidths);
    // The user sized `column` to `width` (end of a drag): FitColumns' fill leaves a last
    // column sized so alone.
    void NoteUserWidth(int column, int width);
    // Gives the list `font` (it stays the caller's) and rows high enough for its text
    // with room below the baseline (ui::RoomyRowHeight): a list without images of its
    // own gets an empty image list of that height, which sets the rows' height.
    void UseFont(HFONT font);

    // The text shown in the middle of the list while it has no rows ("No objects" after
    // a check that found none); empty shows nothing.
    void SetEmptyText(std::string text);
    const std::string& EmptyText() const { return emptyText_; }

    // After the list or a column changed its width: the last column fills the rest.
    void FillLastColumn() const;

    // Answers LVN_GETDISPINFO and LVN_ODFINDITEM from the model and reports column
    // clicks, double clicks and right clicks to the handlers below. True when handled.
    bool HandleNotify(NMHDR* header, LRESULT& result);

    std::function<void(int column)> onColumnClick;
    std::function<void(int row)> onDoubleClick;          // row -1: no row under the mouse

    // A right click at `screenPoint`: over a cell, remembers it (ClickedCellText) and
    // opens the context menu; elsewhere nothing happens.
    void OpenContextMenu(POINT screenPoint);
    // Shift+F10 or the Menu key: the context menu at the focused (else the first
    // selected) row's first cell, which counts as clicked; on a list without rows,
    // at its top left corner, Copy Cell and Copy Line disabled. A single-selection list
    // offers no Select All.
    void OpenContextMenuFromKeyboard();
    // A key message for the list: Shift+F10 and the Menu key open the context menu
    // (their release is swallowed too); true when it was one of them.
    bool HandleContextMenuKey(const MSG& message);
    // The text of the cell under the last right click on this list; empty before any.
    const std::string& ClickedCellText() const { return clickedCellText_; }
    // Copy Cell: the clicked cell's text onto the clipboard (CopyTextToClipboard).
    int CopyClickedCell() const;

    // Answers instead of the real context menu (tests); an empty chooser brings the
    // real menu back.
    using MenuChooser = std::function<int(HWND owner, POINT screenPoint)>;
    void SetMenuChooser(MenuChooser chooser) { chooseFromMenu_ = std::move(chooser); }
    // The list's own commands (the first popup of menu `menuId`) head its context menu;
    // the owner enables them on WM_INITMENUPOPUP and runs them.
    void SetOwnMenu(UINT menuId) { ownMenuId_ = menuId; }

    // The cell under a point of the screen; item -1 when there is none.
    ui::ListCell CellAt(POINT screenPoint) const;

private:
    // Opens the context menu at `screenPoint` with `row`/`column` as the cell clicked
    // (row -1: none), and runs the command chosen: the copies and Select All here, the
    // others (Find, Save) by the top-level window.
    void RunContextMenu(POINT screenPoint, int row, int column);
    int FindRowByPrefix(const NMLVFINDITEMW& find) const;
    // NM_CUSTOMDRAW: the selected row keeps the selection colours while another window
    // (the Find dialog) has the focus, and an empty list shows its empty text.
    LRESULT OnCustomDraw(NMLVCUSTOMDRAW& draw) const;
    void DrawEmptyText(HDC dc) const;
    int ContentWidth(int column) const;

    ui::ListView view_;
    ResultModel model_;
    std::string textBuffer_;
    std::string clickedCellText_;
    int clickedRow_ = -1;
    MenuChooser chooseFromMenu_;
    UINT ownMenuId_ = 0;
    std::string emptyText_;
    ui::ImageList rowSpacer_;
    void RebuildColumns(const std::vector<int>* userWidths);
    void ApplyFittedWidths(const std::vector<int>& userWidths);
    std::vector<int> fittedWidths_;   // the widths FitColumns chose (the fill's minimum)
    bool userSetLast_ = false;
};
