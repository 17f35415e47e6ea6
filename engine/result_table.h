// Where the standard query executor puts its rows: one row per WMI object, one cell per
// listed property. The category stores implement it.
#pragma once
#include <string>

#include "base/raw_value.h"

class ResultTable {
public:
    virtual ~ResultTable() = default;
    virtual void DeleteAllRows() = 0;
    // Appends a row with every cell empty; returns its index.
    virtual int AppendRow() = 0;
    // False (and nothing changes) when the row or column does not exist.
    virtual bool SetCell(int row, int column, std::string text) = 0;

    // A table that keeps the values as WMI delivered them beside the texts; the executor
    // converts them only for such a table.
    virtual bool KeepsRawValues() const { return false; }
    virtual void SetRawCell(int /*row*/, int /*column*/, RawValue /*value*/) {}
};
