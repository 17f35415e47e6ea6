// The result list's column widths: fitted to the content, set by the user, the last
// column filling what is left of the list's width.
#include "listtools/result_list.h"

#include <algorithm>

#include "ui/dpi.h"

namespace {

constexpr int kCellPadding = 14;     // at 96 dpi: the list's own margins around a cell
constexpr int kHeaderPadding = 30;   // margins and room for the sort arrow
constexpr int kSmallIcon = 20;       // the small icon in the first column, with its gap
constexpr int kMinimumWidth = 40;
constexpr int kMaximumWidth = 480;
constexpr int kLastColumnMaximum = 2000;   // the last column may take a long text whole
constexpr int kRowsMeasured = 300;   // enough to see the typical texts, quick at any size

}  // namespace

int ResultList::ContentWidth(int column) const
{
    const HWND window = view_.Handle();
    const ResultColumn& info = model_.Column(column);
    int width = view_.TextWidth(info.header) + ui::ScalePixels(window, kHeaderPadding);
    if (model_.RowCount() == 0)
        width = std::max(width, info.width);
    const int rows = std::min(model_.RowCount(), kRowsMeasured);
    const int iconRoom = column == 0 && rows > 0 && model_.Row(0).image >= 0 ? ui::ScalePixels(window, kSmallIcon) : 0;
    for (int row = 0; row < rows; ++row)
        width = std::max(width,
                         view_.TextWidth(model_.Cell(row, column)) + ui::ScalePixels(window, kCellPadding) + iconRoom);
    const int cap = column == model_.ColumnCount() - 1 ? kLastColumnMaximum : kMaximumWidth;
    return std::clamp(width, ui::ScalePixels(window, kMinimumWidth), ui::ScalePixels(window, cap));
}

void ResultList::FitColumns(const std::vector<int>& userWidths)
{
    // Each width the control takes while drawing moves the columns on screen.
    const ui::RedrawPause pause(view_);
    ApplyFittedWidths(userWidths);
}

void ResultList::ApplyFittedWidths(const std::vector<int>& userWidths)
{
    const int count = std::min(model_.ColumnCount(), view_.ColumnCount());
    fittedWidths_.assign(static_cast<size_t>(count), 0);
    userSetLast_ = false;
    for (int column = 0; column < count; ++column) {
        const int user = static_cast<size_t>(column) < userWidths.size() ? userWidths[static_cast<size_t>(column)] : 0;
        const int width = user > 0 ? user : ContentWidth(column);
        fittedWidths_[static_cast<size_t>(column)] = width;
        if (column == count - 1)
            userSetLast_ = user > 0;
        view_.SetColumnWidth(column, width);
        model_.SetColumnWidth(column, width);
    }
    FillLastColumn();
}

void ResultList::NoteUserWidth(int column, int width)
{
    if (column < 0 || static_cast<size_t>(column) >= fittedWidths_.size())
        return;
    fittedWidths_[static_cast<size_t>(column)] = width;
    if (static_cast<size_t>(column) + 1 == fittedWidths_.size())
        userSetLast_ = true;
    model_.SetColumnWidth(column, width);
}

void ResultList::FillLastColumn() const
{
    const int count = static_cast<int>(fittedWidths_.size());
    if (count == 0 || userSetLast_ || count != view_.ColumnCount())
        return;
    RECT client = view_.ClientRect();
    int others = 0;
    for (int column = 0; column + 1 < count; ++column)
        others += view_.ColumnWidth(column);
    const int last = std::max(fittedWidths_.back(), static_cast<int>(client.right) - others);
    if (view_.ColumnWidth(count - 1) != last)
        view_.SetColumnWidth(count - 1, last);
}
