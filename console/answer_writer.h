// An answer of the store written as it comes, row by row: CSV (a header of the column
// names, then the rows, written as the result lists write them) or JSON ({"columns": [...],
// "rows": [[...], ...]}, typed values, as one document would be dumped). Lines are gathered
// into pieces of a bounded size before they are written, so that neither a large answer nor
// a write per row costs much.
#pragma once
#include <string>
#include <vector>

#include "base/message_sink.h"
#include "listtools/text_sink.h"
#include "store/store_query.h"

enum class AnswerFormat { Csv, Json };

class AnswerWriter : public AnswerSink {
public:
    AnswerWriter(TextSink& sink, std::string path, MessageSink& messages, AnswerFormat format)
        : sink_(sink), path_(std::move(path)), messages_(messages), format_(format)
    {
    }

    bool Columns(const std::vector<std::string>& names) override;
    bool Row(const std::vector<QueryValue>& values) override;
    // Writes what is left (the end of the JSON document); false after a failed write,
    // which has been reported.
    bool Finish();

private:
    bool Flush();

    TextSink& sink_;
    std::string path_;
    MessageSink& messages_;
    AnswerFormat format_;
    std::string pending_;
    size_t rows_ = 0;
    bool failed_ = false;
};
