// CSV files of a result list: a header line of the column texts and one line per row in
// display order, every field in double quotes and separated by commas, each line ended
// by CR LF, in the encoding of the sink (the ANSI code page without byte-order mark
// unless the user chose UTF-8). A double quote inside a field is doubled (RFC 4180), so
// commas and line breaks inside a field need nothing more: a field's line breaks are
// written as they came, CR LF as CR LF and LF as LF.
// Values come from the computer checked, which may be hostile: a field that a spreadsheet
// would run as a formula is written as text.
#pragma once
#include <string>
#include <string_view>

#include "listtools/result_model.h"
#include "listtools/text_sink.h"

// Neutralised: a field whose first character is =, +, -, @, a tab or a carriage return
// gets a leading apostrophe, which spreadsheets show as the start of a text, unless the
// field is a plain number ("-1", "-1,024", "-3.5"). Raw: every field as it is.
enum class CsvCells { Neutralised, Raw };

// `text` in double quotes, each double quote inside doubled; "" for an empty text.
std::string CsvField(std::string_view text, CsvCells cells = CsvCells::Neutralised);

// The header line (column texts) and the row lines of `model`, each ending with "\r\n".
std::string CsvHeaderLine(const ResultModel& model, CsvCells cells = CsvCells::Neutralised);
// A row's line writes a cell that has a sort text (a time shown in the user's format) as
// that text: files keep ISO 8601.
std::string CsvRowLine(const ResultModel& model, int row, CsvCells cells = CsvCells::Neutralised);

// Writes the header line and every row of `model`: Done, or WriteFailed after showing
// message 112 with `path`.
ExportResult WriteCsv(const ResultModel& model, TextSink& sink, const std::string& path,
                      MessageSink& messages, CsvCells cells = CsvCells::Neutralised);

// Creates (or replaces) `path` and writes `model` into it: Done, OpenFailed (message 111)
// or WriteFailed (message 112).
ExportResult SaveCsv(const ResultModel& model, const std::string& path, MessageSink& messages,
                     TextEncoding encoding = TextEncoding::Ansi);

// The file name proposed for the individual list: "<target>_<class>.csv" or
// "<class>.csv", where class is the selected class text trimmed and cut before its first
// blank; an empty class leaves the other parts alone ("<target>_.csv", ".csv").
std::string ProposedClassCsvName(const std::string& targetComputer,
                                 const std::string& selectedClassName);

// The file name proposed for a standard category page: "<target>_<label>.csv" or
// "<label>.csv" (the label is kept whole, blanks included).
std::string ProposedCategoryCsvName(const std::string& targetComputer,
                                    const std::string& categoryLabel);
