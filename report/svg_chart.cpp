#include "report/svg_chart.h"

#include <algorithm>

#include "base/format_text.h"
#include "report/html_text.h"
#include "report/report_format.h"

namespace {

constexpr int kWidth = 640;
constexpr int kLabelWidth = 250;
constexpr int kBarLeft = 258;
constexpr int kBarMax = 300;
constexpr int kRowHeight = 22;
constexpr int kLabelColumns = 38;
constexpr char kBarColour[] = "#3b6ea5";
constexpr char kWarningColour[] = "#c0392b";

std::string SvgStart(int height, const std::string& title, const char* kind)
{
    return FormatText("<svg class=\"chart %s\" xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 %d %d\" "
                      "width=\"%d\" height=\"%d\" role=\"img\" aria-label=\"",
                      kind, kWidth, height, kWidth, height) +
           HtmlEscape(title) + "\">";
}

std::string BarGroup(const ChartBar& bar)
{
    return "<g class=\"bar\" data-label=\"" + HtmlEscape(bar.label) + "\" data-value=\"" +
           std::to_string(bar.value) + "\"><title>" + HtmlEscape(bar.label) + ": " + ReportNumber(bar.value) +
           "</title>";
}

}  // namespace

std::string BarChart(const std::vector<ChartBar>& bars, const std::string& title)
{
    const int height = static_cast<int>(bars.size()) * kRowHeight + 6;
    int64_t largest = 1;
    for (const ChartBar& bar : bars)
        largest = std::max(largest, bar.value);
    std::string svg = SvgStart(height, title, "bars");
    int top = 3;
    for (const ChartBar& bar : bars) {
        const int length = bar.value > 0 ? std::max(1, static_cast<int>(bar.value * kBarMax / largest)) : 0;
        svg += BarGroup(bar);
        svg += FormatText("<text x=\"%d\" y=\"%d\" text-anchor=\"end\" class=\"label\">", kLabelWidth, top + 15) +
               HtmlEscape(CutToWidth(bar.label, kLabelColumns)) + "</text>";
        svg += FormatText("<rect x=\"%d\" y=\"%d\" width=\"%d\" height=\"%d\" fill=\"%s\"/>", kBarLeft, top + 3,
                          length, kRowHeight - 6, bar.warning ? kWarningColour : kBarColour);
        svg += FormatText("<text x=\"%d\" y=\"%d\" class=\"value\">", kBarLeft + length + 6, top + 15) +
               ReportNumber(bar.value) + "</text></g>";
        top += kRowHeight;
    }
    return svg + "</svg>";
}

std::string DayChart(const std::vector<ChartBar>& days, const std::string& title)
{
    constexpr int kHeight = 200, kLeft = 10, kTop = 18, kPlotHeight = 150;
    const int count = std::max<int>(1, static_cast<int>(days.size()));
    const int step = (kWidth - 2 * kLeft) / count;
    int64_t largest = 1;
    for (const ChartBar& day : days)
        largest = std::max(largest, day.value);
    std::string svg = SvgStart(kHeight, title, "days");
    svg += FormatText("<line x1=\"%d\" y1=\"%d\" x2=\"%d\" y2=\"%d\" stroke=\"#888\"/>", kLeft, kTop + kPlotHeight,
                      kLeft + step * count, kTop + kPlotHeight);
    for (int i = 0; i < static_cast<int>(days.size()); ++i) {
        const ChartBar& day = days[static_cast<size_t>(i)];
        const int x = kLeft + i * step;
        const int length = day.value > 0 ? std::max(1, static_cast<int>(day.value * kPlotHeight / largest)) : 0;
        svg += BarGroup(day);
        svg += FormatText("<rect x=\"%d\" y=\"%d\" width=\"%d\" height=\"%d\" fill=\"%s\"/>", x + 2,
                          kTop + kPlotHeight - length, step - 4, length, kBarColour);
        if (day.value > 0)
            svg += FormatText("<text x=\"%d\" y=\"%d\" text-anchor=\"middle\" class=\"small\">", x + step / 2,
                              kTop + kPlotHeight - length - 3) +
                   ReportNumber(day.value) + "</text>";
        svg += "</g>";
        if (i % 5 == 0 || i + 1 == static_cast<int>(days.size())) {
            const std::string shown = day.label.size() >= 10 ? day.label.substr(5, 2) + "/" + day.label.substr(8, 2)
                                                              : day.label;
            svg += FormatText("<text x=\"%d\" y=\"%d\" text-anchor=\"middle\" class=\"small\">", x + step / 2,
                              kTop + kPlotHeight + 14) +
                   HtmlEscape(shown) + "</text>";
        }
    }
    return svg + "</svg>";
}

std::string FreeSpaceBar(int64_t sizeBytes, int64_t freeBytes)
{
    constexpr int kBarWidth = 160, kBarHeight = 12;
    if (sizeBytes <= 0 || freeBytes < 0 || freeBytes > sizeBytes)
        return {};
    const int freeWidth = static_cast<int>(freeBytes * kBarWidth / sizeBytes);
    const bool low = freeBytes * 10 < sizeBytes;
    return FormatText("<svg class=\"space\" xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 %d %d\" width=\"%d\" "
                      "height=\"%d\" aria-hidden=\"true\"><rect width=\"%d\" height=\"%d\" fill=\"#9aa5b1\"/>"
                      "<rect x=\"%d\" width=\"%d\" height=\"%d\" fill=\"%s\"/></svg>",
                      kBarWidth, kBarHeight, kBarWidth, kBarHeight, kBarWidth, kBarHeight, kBarWidth - freeWidth,
                      freeWidth, kBarHeight, low ? kWarningColour : "#4f9a5b");
}
