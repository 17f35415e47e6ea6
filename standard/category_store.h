// The result tables of the standard check: one plain table of text cells per category.
//
// A store keeps the header text, alignment and width of each of its columns and the rows
// that the last standard check found (one row per WMI object, one cell per property).
// It is a plain table rather than a hidden list control, so the survey fills it without
// any window.
//
// Threads: no lock. The worker fills the stores while a standard check runs; nothing
// else reads or changes them then (the commands and windows that would are disabled),
// and the user interface reads them only after the worker has ended.
#pragma once
#include <array>
#include <string>
#include <vector>

#include "engine/result_table.h"

class CategoryStore : public ResultTable {
public:
    // Adds a column after the last one (existing rows get an empty cell); returns its index.
    int AddColumn(std::string headerText, bool rightAligned, int width);
    int ColumnCount() const { return static_cast<int>(columns_.size()); }
    // Header text, alignment and width of a column; empty, false and 0 when out of range.
    const std::string& ColumnHeader(int column) const;
    bool ColumnRightAligned(int column) const;
    int ColumnWidth(int column) const;

    // Appends a row of ColumnCount() empty cells; returns its index.
    int AppendRow() override;
    // False (and nothing changes) when the row or column does not exist.
    bool SetCell(int row, int column, std::string text) override;
    // The text of a cell; empty for a cell that does not exist.
    const std::string& Cell(int row, int column) const;
    int RowCount() const { return static_cast<int>(rows_.size()); }
    void DeleteAllRows() override
    {
        rows_.clear();
        rawRows_.clear();
    }
    // False when the row does not exist; later rows move up by one.
    bool DeleteRow(int row);

    // Removes every column and every row.
    void Reset();

    // Keeps the values as WMI delivered them beside the texts, for the machine-readable
    // exports; off by default (the windows show texts only). Either way the raw values
    // held so far are dropped.
    void KeepRawValues(bool keep);
    bool KeepsRawValues() const override { return keepRaw_; }
    void SetRawCell(int row, int column, RawValue value) override;
    // The raw value of a cell; null when the cell does not exist or none is kept.
    const RawValue& RawCell(int row, int column) const;

private:
    struct Column {
        std::string header;
        bool rightAligned;
        int width;
    };
    bool HasCell(int row, int column) const;

    std::vector<Column> columns_;
    std::vector<std::vector<std::string>> rows_;
    std::vector<std::vector<RawValue>> rawRows_;   // row by row beside rows_ while kept
    bool keepRaw_ = false;
};

// The 28 stores of one standard check, index = store index of the category catalog.
// Every store is created with its category's columns: header texts loaded in the current
// text language, alignment as catalogued, 100 pixels wide.
class StandardStores {
public:
    StandardStores();

    // The store of a category; nullptr when the index is outside 0..27.
    CategoryStore* Store(int storeIndex);
    const CategoryStore* Store(int storeIndex) const;
    // Deletes all rows of all 28 stores, in store order; the columns stay.
    void ClearAllRows();
    // True when at least one store holds a row.
    bool HasData() const;
    // KeepRawValues of every store.
    void KeepRawValues(bool keep);
    // The reading of a category broke off: its rows are what was read before. Emptying
    // the rows clears the mark.
    void MarkIncomplete(int storeIndex);
    bool IsIncomplete(int storeIndex) const;
    bool AnyIncomplete() const;
    // A check that reads the categories one by one: every category counts as not read until
    // MarkRead says its reading ran (to the end, or cut short: then it is incomplete too).
    // A category not read is incomplete as well, but holds no finding: neither data nor
    // "no data". ClearAllRows counts every category as read again.
    void MarkAllNotRead();
    void MarkRead(int storeIndex);
    void MarkNotRead(int storeIndex);
    bool WasRead(int storeIndex) const;
    bool AnyCategoryRead() const;
    // The check was stopped (Stop, Ctrl+C) before it read everything.
    void MarkStopped() { stopped_ = true; }
    bool WasStopped() const { return stopped_; }

private:
    std::array<CategoryStore, 28> stores_;
    std::array<bool, 28> incomplete_{};
    std::array<bool, 28> notRead_{};
    bool stopped_ = false;
};
