#include "listtools/csv_export.h"

#include "base/console_text.h"
#include "base/narrow.h"
#include "base/text_util.h"

namespace {

template <class TextOf>
std::string CsvLine(int count, CsvCells cells, TextOf textOf)
{
    std::string line;
    for (int i = 0; i < count; ++i) {
        if (i > 0)
            line += ',';
        line += CsvField(textOf(i), cells);
    }
    line += "\r\n";
    return line;
}

std::string JoinedName(const std::string& targetComputer, const std::string& subject)
{
    if (targetComputer.empty())
        return subject + ".csv";
    return targetComputer + "_" + subject + ".csv";
}

// The line as it is: a cell's own line breaks stay what they were.
bool WriteOrReport(TextSink& sink, const std::string& line, const std::string& path,
                   MessageSink& messages)
{
    if (sink.Write(line, LineEnds::AsGiven))
        return true;
    ReportFileWriteError(messages, path);
    return false;
}

bool AllDigits(std::string_view text)
{
    return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

// "1024" or "1,024": digits, or groups of three after a first group of one to three.
bool IsWholeNumber(std::string_view text)
{
    const size_t comma = text.find(',');
    if (comma == std::string_view::npos)
        return AllDigits(text);
    if (comma > 3 || !AllDigits(text.substr(0, comma)))
        return false;
    for (text.remove_prefix(comma); !text.empty(); text.remove_prefix(4)) {
        if (text.size() < 4 || text[0] != ',' || !AllDigits(text.substr(1, 3)))
            return false;
    }
    return true;
}

// A sign, a whole number and a fraction, as the program shows numbers: "-1,024", "-3.5".
bool IsPlainNumber(std::string_view text)
{
    if (!text.empty() && (text[0] == '-' || text[0] == '+'))
        text.remove_prefix(1);
    const size_t dot = text.find('.');
    if (dot == std::string_view::npos)
        return IsWholeNumber(text);
    return AllDigits(text.substr(dot + 1)) && (dot == 0 || IsWholeNumber(text.substr(0, dot)));
}

// What a spreadsheet opening the file would take for a formula (or for the start of
// one, after a tab or a carriage return).
bool StartsLikeAFormula(std::string_view text)
{
    if (text.empty())
        return false;
    switch (text[0]) {
    case '=': case '+': case '-': case '@': case '\t': case '\r':
        return !IsPlainNumber(text);
    default:
        return false;
    }
}

}  // namespace

std::string CsvField(std::string_view text, CsvCells cells)
{
    std::string field = "\"";
    if (cells == CsvCells::Neutralised && StartsLikeAFormula(text))
        field += '\'';
    for (char character : text) {
        if (character == '"')
            field += '"';
        if (character == '\0')
            field += "\xEF\xBF\xBD";   // U+FFFD, as the lists show it: a NUL ends a cell for many readers
        else
            field += character;
    }
    field += '"';
    return field;
}

std::string CsvHeaderLine(const ResultModel& model, CsvCells cells)
{
    return CsvLine(model.ColumnCount(), cells, [&](int i) { return model.Column(i).header; });
}

std::string CsvRowLine(const ResultModel& model, int row, CsvCells cells)
{
    // A cell shown in the user's format is written as the text it sorts by: files keep
    // times in ISO 8601.
    const std::vector<std::string>& sortTexts = model.Row(row).sortTexts;
    return CsvLine(model.ColumnCount(), cells, [&](int i) {
        const size_t column = static_cast<size_t>(i);
        return column < sortTexts.size() && !sortTexts[column].empty() ? sortTexts[column] : model.Cell(row, i);
    });
}

ExportResult WriteCsv(const ResultModel& model, TextSink& sink, const std::string& path,
             MessageSink& messages, CsvCells cells)
{
    if (!WriteOrReport(sink, CsvHeaderLine(model, cells), path, messages))
        return ExportResult::WriteFailed;
    // On a console a value's line breaks would end the line: they show as escapes there.
    const auto shown = [&model](int row, int i) { return ToNarrow(ShownOnConsole(ToWide(model.Cell(row, i)), false)); };
    for (int row = 0; row < model.RowCount(); ++row) {
        const std::string line = sink.OnScreen()
                                     ? CsvLine(model.ColumnCount(), cells, [&](int i) { return shown(row, i); })
                                     : CsvRowLine(model, row, cells);
        if (!WriteOrReport(sink, line, path, messages))
            return ExportResult::WriteFailed;
    }
    return ExportResult::Done;
}

ExportResult SaveCsv(const ResultModel& model, const std::string& path, MessageSink& messages, TextEncoding encoding)
{
    FileTextSink file;
    file.SetEncoding(encoding);
    if (!file.Open(path)) {
        ReportFileOpenError(messages, path);
        return ExportResult::OpenFailed;
    }
    if (WriteCsv(model, file, path, messages) != ExportResult::Done)
        return ExportResult::WriteFailed;
    if (!file.Finish()) {
        ReportFileWriteError(messages, path);
        return ExportResult::WriteFailed;
    }
    return ExportResult::Done;
}

std::string ProposedClassCsvName(const std::string& targetComputer,
                                 const std::string& selectedClassName)
{
    std::string className = TrimWhiteSpace(selectedClassName);
    size_t blank = className.find(' ');
    if (blank != std::string::npos && blank > 0)
        className.erase(blank);
    return JoinedName(targetComputer, className);
}

std::string ProposedCategoryCsvName(const std::string& targetComputer,
                                    const std::string& categoryLabel)
{
    return JoinedName(targetComputer, categoryLabel);
}
