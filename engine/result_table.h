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
    // False (and nothing changes) when the row or column does not exist.
    virtual bool SetCell(int row, int column, std::string text) = 0;
};
