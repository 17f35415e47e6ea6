// The column widths a user set by dragging, per list (a standard page, the individual
// list), kept for the session and stored between sessions as one line of text.
#pragma once
#include <map>
#include <string>
#include <vector>

class ColumnWidthMemory {
public:
    // The widths set for list `key`, one per column, 0 where the user set none; empty
    // when none was set.
    const std::vector<int>& Of(int key) const;
    void Set(int key, int column, int width);
    void Clear() { widths_.clear(); }

    // "key:w,w,w;key:w" — the stored form; FromText ignores what it cannot read.
    std::string ToText() const;
    void FromText(const std::string& text);
    // Every width set times numerator / denominator (another dpi), rounded, at least 1.
    void Scale(int numerator, int denominator);

private:
    std::map<int, std::vector<int>> widths_;
};
