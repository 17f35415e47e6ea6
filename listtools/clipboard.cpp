#include "listtools/clipboard.h"

#include "ui/handles.h"

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

// A movable global block holding `text` and its terminating zero; empty on failure.
ui::UniqueGlobal TextBlock(const std::string& text)
{
    ui::UniqueGlobal block(GlobalAlloc(GMEM_MOVEABLE, text.size() + 1));
    if (!block)
        return block;
    void* bytes = GlobalLock(block.Get());
    if (!bytes)
        return ui::UniqueGlobal();
    std::memcpy(bytes, text.c_str(), text.size() + 1);
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
    ui::UniqueGlobal block = TextBlock(text);
    if (!block || !EmptyClipboard())
        return 0;
    if (!SetClipboardData(CF_TEXT, block.Get()))
        return 0;
    block.Release();   // the clipboard owns it now
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

int CopyLineOfRow(const ResultModel& model, int row)
{
    if (row < 0 || row >= model.RowCount())
        return 0;
    return CopyTextToClipboard(LineOfRow(model, row));
}
