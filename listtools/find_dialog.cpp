#include "listtools/find_dialog.h"

#include "listtools/find_position.h"
#include "listtools/find_text.h"
#include "resources/resource.h"
#include "ui/edit_keys.h"
#include "ui/message_box.h"
#include "ui/window.h"
#include "ui/ui_font.h"

CFindDlg::CFindDlg(ResultList& list) : ui::Dialog(IDD_FIND), list_(list) {}

bool CFindDlg::IsChecked(int id) const
{
    return IsDlgButtonChecked(hwnd_, id) == BST_CHECKED;
}

bool CFindDlg::OnInitDialog()
{
    SetDlgItemTextW(hwnd_, IDC_FIND_TEXT, L"");
    ui::AddSelectAllKey(::GetDlgItem(hwnd_, IDC_FIND_TEXT));
    textFont_ = ui::CreateSystemUiFont();
    if (textFont_)
        SendDlgItemMessageW(hwnd_, IDC_FIND_TEXT, WM_SETFONT, reinterpret_cast<WPARAM>(textFont_.Get()), TRUE);
    CheckRadioButton(hwnd_, IDC_FIND_UP, IDC_FIND_DOWN, IDC_FIND_DOWN);
    position_ = FindPositionOnOpen(list_.SelectedRow());
    return true;
}

bool CFindDlg::OnCommand(int id, int code, HWND control)
{
    if (code != BN_CLICKED)
        return ui::Dialog::OnCommand(id, code, control);
    const int rows = list_.Model().RowCount();
    switch (id) {
    case IDC_FIND_UP:
        position_ = FindPositionForUp(list_.SelectedRow(), rows);
        return true;
    case IDC_FIND_DOWN:
        position_ = FindPositionForDown(list_.SelectedRow());
        return true;
    case IDC_MATCH_CASE:
        position_ = FindPositionForMatchCase(list_.SelectedRow(), IsChecked(IDC_FIND_DOWN), rows);
        return true;
    case IDC_FIND_NEXT:
    case IDOK:
        OnFindNext();
        return true;
    default:
        return ui::Dialog::OnCommand(id, code, control);
    }
}

void CFindDlg::OnFindNext()
{
    const std::string text = ui::Window(::GetDlgItem(hwnd_, IDC_FIND_TEXT)).Text();
    const bool down = IsChecked(IDC_FIND_DOWN);
    FindNextResult result = FindNext(list_.Model(), text, IsChecked(IDC_MATCH_CASE), down, position_);
    if (result.outcome == FindNextResult::Outcome::NotFoundFromHere) {
        if (ui::ShowMessageBox(hwnd_, result.message, MB_ICONQUESTION | MB_YESNO) != IDYES)
            return;
        ContinueFromEdge(list_.Model(), down, position_);
        result = FindNext(list_.Model(), text, IsChecked(IDC_MATCH_CASE), down, position_);
    }
    switch (result.outcome) {
    case FindNextResult::Outcome::EmptyText:
        ui::ShowMessageBox(hwnd_, result.message, MB_ICONEXCLAMATION | MB_OK);
        ::SetFocus(::GetDlgItem(hwnd_, IDC_FIND_TEXT));
        break;
    case FindNextResult::Outcome::NotFound:
    case FindNextResult::Outcome::NotFoundFromHere:
        ui::ShowMessageBox(hwnd_, result.message, MB_ICONINFORMATION | MB_OK);
        break;
    case FindNextResult::Outcome::Found:
        SelectFoundCell(list_, result.cell.row, result.cell.column);
        break;
    }
}

void SelectFoundCell(const ResultList& list, int row, int column)
{
    const ui::ListView& view = list.View();
    list.MarkRow(row);
    view.EnsureVisible(row, false);
    if (!view.HasHorizontalScrollBar())
        return;
    RECT header{};
    Header_GetItemRect(view.Header(), column, &header);
    // A match that starts within the list's first two thirds shows from the left edge,
    // with the columns that name the row (the property, the object); one further right
    // is brought to the left edge.
    const RECT client = view.ClientRect();
    const int target = header.left < client.right * 2 / 3 ? 0 : header.left;
    view.Scroll(target - view.HorizontalScrollPos(), 0);
}
