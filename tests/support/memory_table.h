// A result table kept in memory, for executor tests.
#pragma once
#include <string>
#include <vector>

#include "engine/result_table.h"

class MemoryTable : public ResultTable {
public:
    explicit MemoryTable(int columns) : columns_(columns) {}
    void DeleteAllRows() override { rows.clear(); }
    int AppendRow() override
    {
        rows.emplace_back(static_cast<size_t>(columns_));
        setCells.emplace_back(0);
        return static_cast<int>(rows.size()) - 1;
    }
    bool SetCell(int row, int column, std::string text) override
    {
        rows.at(row).at(column) = std::move(text);
        ++setCells.at(row);
        return true;
    }

    std::vector<std::vector<std::string>> rows;
    std::vector<int> setCells;   // cells set per row

private:
    int columns_;
};
