// Charts drawn as inline SVG, for pages that must read without script and print as they
// show: horizontal bars of counts, a column per day, and one disk's used and free space.
// Every label is escaped; each bar carries its label and value as data attributes and a
// tooltip, so that the numbers can be read back from the page.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

struct ChartBar {
    std::string label;
    int64_t value = 0;
    bool warning = false;   // drawn in the warning colour
};

// One row per bar: its label, the bar in proportion to the largest value, and the value.
// `title` names the chart for screen readers.
std::string BarChart(const std::vector<ChartBar>& bars, const std::string& title);

// A column per day (labels "2026-12-10"), the count above every column that is not zero,
// the date under every fifth column and the last.
std::string DayChart(const std::vector<ChartBar>& days, const std::string& title);

// A disk's used and free space as one bar, the free part in the warning colour under 10 %.
std::string FreeSpaceBar(int64_t sizeBytes, int64_t freeBytes);
