#include "console/answer_writer.h"

#include <nlohmann/json.hpp>

#include "listtools/csv_export.h"

namespace {

using Json = nlohmann::ordered_json;

// Written once this much is gathered.
constexpr size_t kPieceBytes = 64 * 1024;

// `json` dumped as it stands `depth` levels deep in a document dumped with tabs.
std::string DumpAt(const Json& json, int depth)
{
    const std::string text = json.dump(1, '\t', true, Json::error_handler_t::replace);
    std::string indented;
    indented.reserve(text.size() + 16);
    for (char c : text) {
        indented += c;
        if (c == '\n')
            indented.append(static_cast<size_t>(depth), '\t');
    }
    return indented;
}

Json JsonOf(const QueryValue& value)
{
    switch (value.type) {
    case DbType::Null: return nullptr;
    case DbType::Integer: return value.integer;
    case DbType::Real: return value.real;
    case DbType::Text: break;
    }
    return value.text;
}

}  // namespace

bool AnswerWriter::Flush()
{
    if (failed_ || pending_.empty())
        return !failed_;
    // CSV lines carry their own line ends (a value's own line breaks stay as they are); the
    // JSON document is text with "\n".
    const LineEnds ends = format_ == AnswerFormat::Csv ? LineEnds::AsGiven : LineEnds::TextMode;
    if (!sink_.Write(pending_, ends)) {
        failed_ = true;
        ReportFileWriteError(messages_, path_);
    }
    pending_.clear();
    return !failed_;
}

bool AnswerWriter::Columns(const std::vector<std::string>& names)
{
    if (format_ == AnswerFormat::Json) {
        pending_ += "{\n\t\"columns\": " + DumpAt(Json(names), 1) + ",\n\t\"rows\": [";
        return true;
    }
    for (size_t i = 0; i < names.size(); ++i)
        pending_ += (i ? "," : "") + CsvField(names[i]);
    pending_ += "\r\n";
    return true;
}

bool AnswerWriter::Row(const std::vector<QueryValue>& values)
{
    if (format_ == AnswerFormat::Json) {
        Json cells = Json::array();
        for (const QueryValue& value : values)
            cells.push_back(JsonOf(value));
        pending_ += (rows_ ? ",\n\t\t" : "\n\t\t") + DumpAt(cells, 2);
    } else {
        for (size_t i = 0; i < values.size(); ++i)
            pending_ += (i ? "," : "") + CsvField(values[i].Text());
        pending_ += "\r\n";
    }
    ++rows_;
    return pending_.size() < kPieceBytes || Flush();
}

bool AnswerWriter::Finish()
{
    if (format_ == AnswerFormat::Json)
        pending_ += rows_ ? "\n\t]\n}\n" : "]\n}\n";
    return Flush();
}
