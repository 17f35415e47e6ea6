#include "listtools/csv_export.h"

#include "base/text_util.h"

namespace {

template <class TextOf>
std::string CsvLine(int count, TextOf textOf)
{
    std::string line;
    for (int i = 0; i < count; ++i) {
        if (i > 0)
            line += ',';
        line += CsvField(textOf(i));
    }
    line += '\n';
    return line;
}

std::string JoinedName(const std::string& targetComputer, const std::string& subject)
{
    if (targetComputer.empty())
        return subject + ".csv";
    return targetComputer + "_" + subject + ".csv";
}

bool WriteOrReport(TextSink& sink, const std::string& line, const std::string& path,
                   MessageSink& messages)
{
    if (sink.Write(line))
        return true;
    ReportFileWriteError(messages, path);
    return false;
}

}  // namespace

std::string CsvField(std::string_view text)
{
    std::string field = "\"";
    for (char character : text) {
        if (character == '"')
            field += '"';
        field += character;
    }
    field += '"';
    return field;
}

std::string CsvHeaderLine(const ResultModel& model)
{
    return CsvLine(model.ColumnCount(), [&](int i) { return model.Column(i).header; });
}

std::string CsvRowLine(const ResultModel& model, int row)
{
    return CsvLine(model.ColumnCount(), [&](int i) { return model.Cell(row, i); });
}

int WriteCsv(const ResultModel& model, TextSink& sink, const std::string& path,
             MessageSink& messages)
{
    if (!WriteOrReport(sink, CsvHeaderLine(model), path, messages))
        return kExportWriteFailed;
    for (int row = 0; row < model.RowCount(); ++row) {
        if (!WriteOrReport(sink, CsvRowLine(model, row), path, messages))
            return kExportWriteFailed;
    }
    return kExportDone;
}

int SaveCsv(const ResultModel& model, const std::string& path, MessageSink& messages)
{
    FileTextSink file;
    if (!file.Open(path)) {
        ReportFileOpenError(messages, path);
        return kExportOpenFailed;
    }
    if (WriteCsv(model, file, path, messages) != kExportDone)
        return kExportWriteFailed;
    if (!file.Finish()) {
        ReportFileWriteError(messages, path);
        return kExportWriteFailed;
    }
    return kExportDone;
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
