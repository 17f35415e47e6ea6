// The summary of a run as a table: one row per computer, the columns in the user
// interface language. The window shows it as a result list, mirelrep writes it as
// summary.csv (through the list's CSV export) and summary.json (fixed English keys,
// typed values).
#pragma once
#include <string>
#include <vector>

#include "inventory/computer_summary.h"
#include "listtools/result_model.h"
#include "listtools/text_sink.h"

inline constexpr int kSummaryColumnCount = 22;

// The summary files of a run, in its folder.
inline constexpr char kSummaryCsvName[] = "summary.csv";
inline constexpr char kSummaryJsonName[] = "summary.json";

// A model with the summary's columns and no rows.
ResultModel SummaryModel();

// The cells of one computer's row: numbers raw (no digit grouping, "." before decimals),
// times in ISO 8601, a missing value empty. itemData is `index`.
ResultRow SummaryRow(const ComputerSummary& summary, LPARAM index);

// The same row as the window shows it: times in the user's short date and time format,
// sorted by their ISO 8601 texts.
ResultRow ShownSummaryRow(const ComputerSummary& summary, LPARAM index);

// True for the columns that hold numbers (they sort and align as numbers).
bool IsNumberColumn(int column);

// The summary as JSON text: {"computers": [...], "tally": {result key: count}}, each
// computer an object of the columns' keys, numbers as numbers, missing values null.
std::string SummaryJson(const std::vector<ComputerSummary>& summaries);

// The tally line: "<n> computers: <count> <result>, ..." for the results that occur.
std::string SummaryTally(const std::vector<ComputerSummary>& summaries);
