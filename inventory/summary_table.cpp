#include "inventory/summary_table.h"

#include <iterator>
#include <string_view>

#include <nlohmann/json.hpp>

#include "base/format_text.h"
#include "base/narrow.h"
#include "base/shown_time.h"
#include "base/text_util.h"
#include "resources/resource.h"
#include "resources/text.h"

namespace {

using Json = nlohmann::ordered_json;

// One cell: its text, and for number columns the number (none when missing).
struct Cell {
    std::string text;
    Json value;   // what JSON writes: a string, a number or null
};

Cell TextCell(const std::string& text)
{
    return {text, Json(text)};
}

Cell NumberCell(const std::optional<int64_t>& number)
{
    if (!number)
        return {{}, nullptr};
    return {std::to_string(*number), Json(*number)};
}

struct Column {
    bool number;
    const char* key;
    Cell (*cell)(const ComputerSummary&);
};

// The columns in order; their headers are IDS_SUMMARY_FIRST_COLUMN + index.
const Column kColumns[kSummaryColumnCount] = {
    {false, "computer", [](const ComputerSummary& s) {
         return Cell{s.computer.empty() ? LoadText(IDS_LOCAL_COMPUTER) : s.computer, Json(s.computer)};
     }},
    {false, "result", [](const ComputerSummary& s) { return Cell{ComputerResultText(s.result), Json(ComputerResultKey(s.result))}; }},
    {false, "errorCode", [](const ComputerSummary& s) {
         if (s.code == S_OK)
             return Cell{{}, nullptr};
         const std::string code = HexCode(static_cast<unsigned long>(s.code));
         return Cell{code, Json(code)};
     }},
    {false, "errorMessage", [](const ComputerSummary& s) { return TextCell(s.message); }},
    {false, "checkedAt", [](const ComputerSummary& s) {
         return s.checkedAt.empty() ? Cell{{}, nullptr} : TextCell(s.checkedAt);
     }},
    {true, "durationSeconds", [](const ComputerSummary& s) {
         if (s.checkedAt.empty())
             return Cell{{}, nullptr};
         return Cell{FormatText("%.3f", s.seconds), Json(static_cast<double>(static_cast<long long>(s.seconds * 1000 + 0.5)) / 1000)};
     }},
    {false, "osName", [](const ComputerSummary& s) { return TextCell(s.osName); }},
    {false, "osVersion", [](const ComputerSummary& s) { return TextCell(s.osVersion); }},
    {false, "osBuild", [](const ComputerSummary& s) { return TextCell(s.osBuild); }},
    {false, "architecture", [](const ComputerSummary& s) { return TextCell(s.architecture); }},
    {false, "manufacturer", [](const ComputerSummary& s) { return TextCell(s.manufacturer); }},
    {false, "model", [](const ComputerSummary& s) { return TextCell(s.model); }},
    {false, "biosSerialNumber", [](const ComputerSummary& s) { return TextCell(s.biosSerial); }},
    {false, "processor", [](const ComputerSummary& s) { return TextCell(s.processor); }},
    {true, "processors", [](const ComputerSummary& s) { return NumberCell(s.processors); }},
    {true, "memoryBytes", [](const ComputerSummary& s) { return NumberCell(s.memoryBytes); }},
    {true, "disks", [](const ComputerSummary& s) { return NumberCell(s.disks); }},
    {true, "diskBytes", [](const ComputerSummary& s) { return NumberCell(s.diskBytes); }},
    {true, "freeBytes", [](const ComputerSummary& s) { return NumberCell(s.freeBytes); }},
    {true, "products", [](const ComputerSummary& s) { return NumberCell(s.products); }},
    {true, "hotfixes", [](const ComputerSummary& s) { return NumberCell(s.hotfixes); }},
    {false, "latestHotfix", [](const ComputerSummary& s) {
         return s.latestHotfix.empty() ? Cell{{}, nullptr} : TextCell(s.latestHotfix);
     }},
};

}  // namespace

ResultModel SummaryModel()
{
    ResultModel model;
    for (int column = 0; column < kSummaryColumnCount; ++column)
        model.AddColumn({LoadText(IDS_SUMMARY_FIRST_COLUMN + column), kColumns[column].number, 100});
    return model;
}

ResultRow SummaryRow(const ComputerSummary& summary, LPARAM index)
{
    ResultRow row;
    row.itemData = index;
    for (const Column& column : kColumns)
        row.cells.push_back(column.cell(summary).text);
    return row;
}

ResultRow ShownSummaryRow(const ComputerSummary& summary, LPARAM index)
{
    ResultRow row = SummaryRow(summary, index);
    row.sortTexts.resize(row.cells.size());
    for (size_t column = 0; column < row.cells.size() && column < std::size(kColumns); ++column)
        if (std::string_view(kColumns[column].key) == "checkedAt" || std::string_view(kColumns[column].key) == "latestHotfix") {
            row.sortTexts[column] = row.cells[column];
            row.cells[column] = ShownTime(row.cells[column]);
        }
    return row;
}

bool IsNumberColumn(int column)
{
    return column >= 0 && column < kSummaryColumnCount && kColumns[column].number;
}

std::string SummaryJson(const std::vector<ComputerSummary>& summaries)
{
    Json computers = Json::array();
    int counts[kComputerResultCount] = {};
    for (const ComputerSummary& summary : summaries) {
        Json row = Json::object();
        for (const Column& column : kColumns)
            row[column.key] = column.cell(summary).value;
        computers.push_back(std::move(row));
        ++counts[static_cast<int>(summary.result)];
    }
    Json tally = Json::object();
    for (int result = 0; result < kComputerResultCount; ++result)
        tally[ComputerResultKey(static_cast<ComputerResult>(result))] = counts[result];
    Json document = {{"computers", std::move(computers)}, {"tally", std::move(tally)}};
    // Every character beyond ASCII as \u escape: readers that take the file for ANSI
    // (Windows PowerShell 5) read it as right as those that take it for UTF-8.
    return document.dump(2, ' ', true, Json::error_handler_t::replace) + "\n";
}

std::string SummaryTally(const std::vector<ComputerSummary>& summaries)
{
    int counts[kComputerResultCount] = {};
    for (const ComputerSummary& summary : summaries)
        ++counts[static_cast<int>(summary.result)];
    std::string line = FillIn(LoadText(summaries.size() == 1 ? IDS_SUMMARY_TALLY_ONE : IDS_SUMMARY_TALLY),
                              std::to_string(summaries.size()));
    bool first = true;
    for (int result = 0; result < kComputerResultCount; ++result) {
        if (counts[result] == 0)
            continue;
        line += (first ? "" : ", ") + std::to_string(counts[result]) + " " +
                ComputerResultText(static_cast<ComputerResult>(result));
        first = false;
    }
    return line;
}
