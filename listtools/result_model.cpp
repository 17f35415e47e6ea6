#include "listtools/result_model.h"

#include <algorithm>
#include <numeric>

namespace {
const std::string kNoText;
const ResultColumn kNoColumn{};
}

const ResultColumn& ResultModel::Column(int column) const
{
    if (column < 0 || column >= ColumnCount())
        return kNoColumn;
    return columns_[static_cast<size_t>(column)];
}

void ResultModel::SetColumnWidth(int column, int width)
{
    if (column >= 0 && column < ColumnCount())
        columns_[static_cast<size_t>(column)].width = width;
}

int ResultModel::AppendRow(ResultRow row)
{
    row.arrival = RowCount();
    rows_.push_back(std::move(row));
    return RowCount() - 1;
}

const std::string& ResultModel::Cell(int row, int column) const
{
    if (row < 0 || row >= RowCount() || column < 0)
        return kNoText;
    const std::vector<std::string>& cells = rows_[static_cast<size_t>(row)].cells;
    return static_cast<size_t>(column) < cells.size() ? cells[static_cast<size_t>(column)] : kNoText;
}

void ResultModel::ReplaceRows(std::vector<ResultRow> rows)
{
    rows_ = std::move(rows);
    for (size_t row = 0; row < rows_.size(); ++row)
        rows_[row].arrival = static_cast<int>(row);
}

void ResultModel::Clear()
{
    rows_.clear();
    columns_.clear();
}

std::vector<int> ResultModel::SortRows(const RowOrder& less)
{
    std::vector<int> order(rows_.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](int left, int right) { return less(rows_[static_cast<size_t>(left)],
                                                             rows_[static_cast<size_t>(right)]); });
    std::vector<ResultRow> sorted;
    sorted.reserve(rows_.size());
    for (int from : order)
        sorted.push_back(std::move(rows_[static_cast<size_t>(from)]));
    rows_ = std::move(sorted);
    return order;
}
