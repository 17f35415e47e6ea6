// The rows a result list shows: a header of columns and rows of text cells, each row with
// its item data (the sort tag of the standard list, the entry index of the individual
// list) and its image. The list controls are virtual views of a model: they draw what it
// holds, in its order.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

struct ResultColumn {
    std::string header;
    bool rightAligned = false;
    int width = 100;
};

struct ResultRow {
    std::vector<std::string> cells;
    LPARAM itemData = 0;
    int image = -1;   // index into the list's image list; -1: none
    int arrival = 0;  // position among the rows as they arrived (set by the model)
    // What a column sorts by where its cell does not sort as shown (a time in the user's
    // format sorts by its ISO 8601 text); a column without one sorts by its cell.
    std::vector<std::string> sortTexts;
    // Per column, the number a numeric sort orders the row by instead of reading the cell
    // (a size shown as "1.5 GB", a date in the user's format); NaN or missing: the cell.
    std::vector<double> sortValues;
};

class ResultModel {
public:
    // Columns
    void AddColumn(ResultColumn column) { columns_.push_back(std::move(column)); }
    int ColumnCount() const { return static_cast<int>(columns_.size()); }
    const ResultColumn& Column(int column) const;
    void SetColumnWidth(int column, int width);

    // Rows
    int RowCount() const { return static_cast<int>(rows_.size()); }
    int AppendRow(ResultRow row);
    const ResultRow& Row(int row) const { return rows_.at(static_cast<size_t>(row)); }
    // The text of a cell; empty when the row or the column does not exist.
    const std::string& Cell(int row, int column) const;
    LPARAM ItemData(int row) const { return Row(row).itemData; }
    void SetItemData(int row, LPARAM data) { rows_.at(static_cast<size_t>(row)).itemData = data; }

    // Removes every row; the columns stay.
    void DeleteAllRows() { rows_.clear(); }
    // Removes every row and every column.
    void Clear();
    // Takes over all rows of `rows` (the columns stay); they arrived in this order.
    void ReplaceRows(std::vector<ResultRow> rows);

    // Orders the rows by `less` (a strict weak order; rows that compare equal keep their
    // order). Returns, for every new position, the position the row had before.
    using RowOrder = std::function<bool(const ResultRow&, const ResultRow&)>;
    std::vector<int> SortRows(const RowOrder& less);

private:
    std::vector<ResultColumn> columns_;
    std::vector<ResultRow> rows_;
};
