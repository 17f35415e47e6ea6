#include "listtools/result_pane.h"

#include <utility>

#include "listtools/clipboard.h"
#include "listtools/csv_export.h"
#include "listtools/find_dialog.h"
#include "listtools/save_encoding.h"
#include "resources/resource.h"
#include "resources/text.h"
#include "ui/message_box.h"
#include "ui/save_dialog.h"
#include "ui/wait_cursor.h"

namespace {

bool IsControlDown()
{
    return (GetKeyState(VK_CONTROL) & 0x8000) != 0;
}

}  // namespace

bool ResultPane::Attach(HWND control)
{
    if (!list_.Attach(control))
        return false;
    list_.View().SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT, LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    list_.onColumnClick = [this](int column) { ClickColumn(column); };
    list_.onDoubleClick = [this](int row) {
        if (onOpen)
            onOpen(row);
    };
    return true;
}

void ResultPane::Show(ResultModel model, std::vector<bool> numberColumns)
{
    list_.Model() = std::move(model);
    numberColumns_ = std::move(numberColumns);
    sort_ = SortMemory{};
    list_.ShowFittedColumnsAndRows({});
    list_.ShowSortArrow(kUnsorted, true);
}

void ResultPane::ClickColumn(int column)
{
    if (column < 0 || column >= list_.Model().ColumnCount())
        return;
    sort_.Click(column);
    const bool numbers = static_cast<size_t>(column) < numberColumns_.size() && numberColumns_[column];
    const std::vector<int> order =
        SortModel(list_.Model(), column, numbers ? SortKeys::Numbers : SortKeys::Text, sort_.ascending);
    list_.FollowSort(order);
    list_.ShowSortArrow(column, sort_.ascending);
}

int ResultPane::CopyRows() const
{
    if (list_.View().SelectedCount() > 0)
        return list_.CopySelectedRows();
    std::vector<int> rows(static_cast<size_t>(list_.Model().RowCount()));
    for (size_t row = 0; row < rows.size(); ++row)
        rows[row] = static_cast<int>(row);
    return rows.empty() ? 0 : CopyTextToClipboard(RowsAsTable(list_.Model(), rows));
}

void ResultPane::Find(HWND owner)
{
    if (list_.Model().RowCount() == 0)
        return;
    CFindDlg find(list_);
    find.RunModal(owner);
}

bool ResultPane::SaveCsv(HWND owner, const std::string& fileName)
{
    std::string path;
    ui::SaveFileRequest request{WithUtf8FileType(LoadText(IDS_FILTER_CSV), LoadText(IDS_FILTER_CSV_UTF8)), "csv",
                                fileName};
    if (!ui::AskSaveFileName(owner, request, path))
        return false;
    ui::MessageBoxSink messages(owner);
    const std::optional<TextEncoding> encoding =
        ConfirmSaveEncoding(request.type, FirstTextOutsideAnsi(list_.Model()), messages);
    if (!encoding)
        return false;
    ui::WaitCursor wait;
    return ::SaveCsv(list_.Model(), path, messages, *encoding) == ExportResult::Done;
}

bool ResultPane::HandleKey(const MSG& message, HWND owner)
{
    if (message.hwnd != list_.Handle())
        return false;
    if (list_.HandleContextMenuKey(message))
        return true;
    if (message.message != WM_KEYDOWN)
        return false;
    if (message.wParam == VK_RETURN) {
        if (onOpen)
            onOpen(list_.SelectedRow());
        return true;
    }
    if (!IsControlDown())
        return false;
    switch (message.wParam) {
    case 'C':
    case VK_INSERT: CopyRows(); return true;
    case 'F': Find(owner); return true;
    // The program's Ctrl+A, as in the main window: the owner saves the list as CSV.
    case 'A': SendMessageW(owner, WM_COMMAND, MAKEWPARAM(ID_FILE_SAVE_CSV, 0), 0); return true;
    default: return false;
    }
}
