// The text report of all standard categories: a header naming the computer, then for
// each group of the category tree (Hardware, Operating System, Software) its categories
// in store order, each with its column line and one line per row, cells in double quotes.
// The report is for people to read: texts are written as the program holds them, except
// that a line break inside a cell becomes a space, so that every row stays one line.
#pragma once
#include <optional>
#include <string>

#include "listtools/text_sink.h"
#include "standard/category_store.h"

// What the header and the proposed file name call the local computer.
inline constexpr char kLocalComputerName[] = "LocalComputer";

// "LocalComputer_Resource.txt" for the local computer, otherwise "<target>_Resource.txt".
std::string DefaultTextReportName(const std::string& targetComputer);

// How far a check read a category.
enum class CategoryReading { Read, Incomplete, NotRead };

// One category's section: "\t<label>\n" (" (incomplete)" after the label of a reading
// that broke off), then the column line and the row lines, or "\t\tData is not exist.\n\n"
// for a category read without rows, and "\t\tNot read.\n\n" for one never read. 0, or
// ExportResult::WriteFailed after showing message 112 with `path`.
ExportResult WriteCategorySection(const CategoryStore& store, const std::string& label, TextSink& sink,
                                  const std::string& path, MessageSink& messages,
                                  CategoryReading reading = CategoryReading::Read);

// The whole report of the 28 `stores`; a report of a check that was stopped or broke off
// says so on the line after the computer's name, with the reason. 0, or ExportResult::WriteFailed after showing message 112
// with `path`; nothing more is written after the failure. Does not Finish the sink.
ExportResult WriteStandardReport(const StandardStores& stores, const std::string& targetComputer,
                                 TextSink& sink, const std::string& path, MessageSink& messages);

// Creates (or replaces) the file `path` with the whole report: ExportResult::Done,
// ExportResult::OpenFailed (message 111) or ExportResult::WriteFailed (message 112; a file that was
// there stays as it was).
ExportResult SaveStandardReport(const StandardStores& stores, const std::string& targetComputer,
                                const std::string& path, MessageSink& messages,
                                TextEncoding encoding = TextEncoding::Ansi);

// The first text of the report (the computer's name, a column header or a cell) that the
// ANSI code page cannot hold whole.
std::optional<std::string> FirstReportTextOutsideAnsi(const StandardStores& stores,
                                                      const std::string& targetComputer);
