#include "listtools/clipboard.h"

#include "base/handles.h"
#include "base/narrow.h"
#include "listtools/csv_export.h"

#include <windows.h>

#include <cstring>

namespace {

// Another thread or process may hold the clipboard for a moment: try a few times.
constexpr int kOpenAttempts = 10;
constexpr DWORD kOpenRetryDelayMs = 10;

// Holds the clipboard open, without an owner window, for its lifetime.
class OpenedClipboard {
public:
    OpenedClipboard()
    {
        for (int attempt = 0; attempt < kOpenAttempts && !open_; ++attempt) {
            if (attempt > 0)
                Sleep(kOpenRetryDelayMs);
            open_ = OpenClipboard(nullptr) != FALSE;
        }
    }
    ~OpenedClipboard()
    {
        if (open_)
            CloseClipboard();
    }
    OpenedClipboard(const OpenedClipboard&) = delete;
    OpenedClipboard& operator=(const OpenedClipboard&) = delete;

    bool IsOpen() const { return open_; }

private:
    bool open_ = false;
};

// A movable global block holding the characters of `text` and a terminating zero;
// empty on failure.
template <typename Char>
UniqueGlobal TextBlock(const std::basic_string<Char>& text)
{
    const size_t bytes = (text.size() + 1) * sizeof(Char);
    UniqueGlobal block(GlobalAlloc(GMEM_MOVEABLE, bytes));
    if (!block)
        return block;
    void* locked = GlobalLock(block.Get());
    if (!locked)
        return UniqueGlobal();
    std::memcpy(locked, text.c_str(), bytes);
    GlobalUnlock(block.Get());
    return block;
}

}  // namespace

int CopyTextToClipboard(const std::string& text)
{
    if (text.empty())
        return 0;
    OpenedClipboard clipboard;
    if (!clipboard.IsOpen())
        return 0;
    // Every character as Unicode; the ANSI text as well for programs that read only
    // CF_TEXT (characters the code page lacks are "?" there, and only there).
    UniqueGlobal unicode = TextBlock(ToWide(text));
    UniqueGlobal ansi = TextBlock(ToAnsi(text).bytes);
    if (!unicode || !EmptyClipboard())
        return 0;
    if (!SetClipboardData(CF_UNICODETEXT, unicode.Get()))
        return 0;
    unicode.Release();   // the clipboard owns it now
    if (ansi && SetClipboardData(CF_TEXT, ansi.Get()))
        ansi.Release();
    return 1;
}

std::string LineOfRow(const ResultModel& model, int row)
{
    if (row < 0 || row >= model.RowCount())
        return {};
    std::string line = model.Cell(row, 0);
    for (int column = 1; column < model.ColumnCount(); ++column) {
        line += ' ';
        line += model.Cell(row, column);
    }
    return line;
}

namespace {

void AppendTableCell(std::string& line, const std::string& cell)
{
    const bool plain = cell.find_first_of("\t\r\n") == std::string::npos && (cell.empty() || cell[0] != '"');
    line += plain ? cell : CsvField(cell, CsvCells::Raw);
}

template <typename CellOf>
void AppendTableLine(std::string& table, int columns, CellOf cellOf)
{
    for (int column = 0; column < columns; ++column) {
        if (column > 0)
            table += '\t';
        AppendTableCell(table, cellOf(column));
    }
    table += "\r\n";
}

}  // namespace

std::string RowsAsTable(const ResultModel& model, const std::vector<int>& rows)
{
    std::string table;
    const int columns = model.ColumnCount();
    for (int row : rows) {
        if (row < 0 || row >= model.RowCount())
            continue;
        if (table.empty())
            AppendTableLine(table, columns, [&](int column) { return model.Column(column).header; });
        AppendTableLine(table, columns, [&](int column) { return model.Cell(row, column); });
    }
    return table;
}

int CopyLineOfRow(const ResultModel& model, int row)
{
    if (row < 0 || row >= model.RowCount())
        return 0;
    return CopyTextToClipboard(LineOfRow(model, row));
}

bool ClipboardHasText()
{
    return IsClipboardFormatAvailable(CF_UNICODETEXT) || IsClipboardFormatAvailable(CF_TEXT);
}
