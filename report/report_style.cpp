#include "report/report_style.h"

#include "report/html_text.h"

namespace {

constexpr char kRules[] = R"css(
:root { color-scheme: light; }
body { font-family: "Segoe UI", "Yu Gothic UI", Meiryo, "IPAPGothic", "IPAGothic", sans-serif; font-size: 10.5pt;
  color: #1b1f23; margin: 24px auto; max-width: 1120px; padding: 0 16px; line-height: 1.35; }
h1 { font-size: 18pt; margin: 0 0 6px; }
h2 { font-size: 13pt; margin: 22px 0 8px; padding-bottom: 3px; border-bottom: 2px solid #3b6ea5; break-after: avoid; }
h3 { font-size: 11pt; margin: 14px 0 6px; break-after: avoid; }
table { border-collapse: collapse; width: 100%; margin: 4px 0 10px; }
th, td { border: 1px solid #c8ced6; padding: 3px 6px; text-align: left; vertical-align: top; overflow-wrap: anywhere; }
th { background: #e8eef5; font-weight: 600; overflow-wrap: normal; }
table.computers td:first-child, table.low-disks td:first-child { min-width: 8em; }
table.computers td:nth-child(7) { white-space: nowrap; }
td.n, th.n { text-align: right; white-space: nowrap; }
tbody tr:nth-child(even) td { background: #f6f8fa; }
table.facts { width: auto; min-width: 50%; }
table.facts th { width: 12em; }
.lead { color: #444; margin: 0 0 10px; }
.figures { display: flex; flex-wrap: wrap; gap: 8px; margin: 8px 0 4px; }
.figure { border: 1px solid #c8ced6; border-radius: 4px; padding: 6px 12px; min-width: 9em; }
.figure b { display: block; font-size: 15pt; }
.charts { display: grid; grid-template-columns: repeat(auto-fill, minmax(520px, 1fr)); gap: 4px 24px; }
figure.chart { margin: 6px 0 12px; }
figure.chart figcaption { font-weight: 600; margin-bottom: 4px; }
svg.chart { width: 100%; max-width: 640px; height: auto; display: block; }
svg text { font-family: inherit; font-size: 12px; fill: #1b1f23; }
svg text.small { font-size: 9.5px; }
svg.space { vertical-align: middle; margin-right: 6px; }
.warn { color: #b03a2e; font-weight: 600; }
.none { color: #666; font-style: italic; }
@media print {
  body { margin: 0; max-width: none; padding: 0; font-size: 9.5pt; }
  .charts { display: block; }
  figure.chart, tr, .figure, table.facts { break-inside: avoid; }
  thead { display: table-header-group; }
  tbody tr:nth-child(even) td { background: none; }
  h2 { margin-top: 14px; }
}
@page { margin: 14mm 12mm 16mm; }
)css";

}  // namespace

std::string ReportStyleSheet(const std::string& footerTitle)
{
    std::string sheet(kRules);
    sheet += "@page { @bottom-left { content: ";
    sheet += CssString(footerTitle);
    sheet += "; font-size: 8pt; color: #555; } @bottom-right { content: counter(page) \" / \" counter(pages); "
             "font-size: 8pt; color: #555; } }\n";
    return sheet;
}
