// Where the standard query executor puts its rows: one row per WMI object, one cell per
// listed property. The category stores implement it.
#pragma once
#include <string>

class ResultTable {
public:
    virtual ~ResultTable() = default;
    virtual void DeleteAllRows() = 0;
    // Appends a row with every cell empty; returns its index.
    virtual int AppendRow() = 0;
    virtual void SetCell(int row, int column, const std::string& text) = 0;
};
