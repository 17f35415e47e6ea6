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

void AppendCell(std::string& line, const std::string& cell)
{
    for (char character : cell)
        line += character == '\t' || character == '\r' || character == '\n' ? ' ' : character;
}

std::string TableLine(const ResultModel& model, const std::function<const std::string&(int column)>& cell)
{
    std::string line;
    for (int column = 0; column < model.ColumnCount(); ++column) {
        if (column > 0)
            line += '\t';
        AppendCell(line, cell(column));
    }
    return line + "\r\n";
}

}  // namespace

std::string TableOfRows(const ResultModel& model, const std::vector<int>& rows)
{
    std::string text = TableLine(model, [&](int column) -> const std::string& { return model.Column(column).header; });
    for (int row : rows)
        if (row >= 0 && row < model.RowCount())
            text += TableLine(model, [&](int column) -> const std::string& { return model.Cell(row, column); });
    return text;
}

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
    list_.ShowColumnsAndRows();
    list_.FitColumns({});
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

std::vector<int> ResultPane::SelectedRows() const
{
    std::vector<int> rows;
    for (int row = list_.View().NextItem(-1, LVNI_SELECTED); row >= 0; row = list_.View().NextItem(row, LVNI_SELECTED))
        rows.push_back(row);
    return rows;
}

int ResultPane::CopyRows() const
{
    std::vector<int> rows = SelectedRows();
    if (rows.empty())
        for (int row = 0; row < list_.Model().RowCount(); ++row)
            rows.push_back(row);
    if (rows.empty())
        return 0;
    return CopyTextToClipboard(TableOfRows(list_.Model(), rows));
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
    if (message.message != WM_KEYDOWN || message.hwnd != list_.Handle())
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
    case 'A': list_.View().SetItemState(-1, LVIS_SELECTED, LVIS_SELECTED); return true;
    default: return false;
    }
}
