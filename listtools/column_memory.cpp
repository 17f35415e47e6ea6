#include "listtools/column_memory.h"

#include <algorithm>
#include <cstdlib>
#include <sstream>

namespace {

constexpr int kMaximumColumns = 256;
constexpr int kMaximumWidth = 4096;
const std::vector<int> kNone;

// A whole decimal number in 0..limit, or -1.
int ReadNumber(const std::string& text, int limit)
{
    if (text.empty() || text.size() > 6 || text.find_first_not_of("0123456789") != std::string::npos)
        return -1;
    int value = std::atoi(text.c_str());
    return value <= limit ? value : -1;
}

}  // namespace

const std::vector<int>& ColumnWidthMemory::Of(int key) const
{
    auto found = widths_.find(key);
    return found == widths_.end() ? kNone : found->second;
}

void ColumnWidthMemory::Set(int key, int column, int width)
{
    if (column < 0 || column >= kMaximumColumns || width < 0)
        return;
    std::vector<int>& widths = widths_[key];
    if (widths.size() <= static_cast<size_t>(column))
        widths.resize(static_cast<size_t>(column) + 1, 0);
    widths[static_cast<size_t>(column)] = width < kMaximumWidth ? width : kMaximumWidth;
}

std::string ColumnWidthMemory::ToText() const
{
    std::string text;
    for (const auto& [key, widths] : widths_) {
        if (!text.empty())
            text += ';';
        text += std::to_string(key) + ':';
        for (size_t column = 0; column < widths.size(); ++column)
            text += (column ? "," : "") + std::to_string(widths[column]);
    }
    return text;
}

void ColumnWidthMemory::FromText(const std::string& text)
{
    widths_.clear();
    std::istringstream lists(text);
    std::string list;
    while (std::getline(lists, list, ';')) {
        size_t colon = list.find(':');
        int key = colon == std::string::npos ? -1 : ReadNumber(list.substr(0, colon), 1000);
        if (key < 0)
            continue;
        std::istringstream cells(list.substr(colon + 1));
        std::string cell;
        for (int column = 0; std::getline(cells, cell, ',') && column < kMaximumColumns; ++column) {
            int width = ReadNumber(cell, kMaximumWidth);
            if (width > 0)
                Set(key, column, width);
        }
    }
}

void ColumnWidthMemory::Scale(int numerator, int denominator)
{
    if (numerator <= 0 || denominator <= 0)
        return;
    for (auto& [key, widths] : widths_)
        for (int& width : widths)
            if (width > 0)
                width = std::clamp((width * numerator + denominator / 2) / denominator, 1, kMaximumWidth);
}
