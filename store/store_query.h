// Questions to the store in SQL: the user's own read-only statement, or a ready-made
// question with its parameters, answered as a table of typed values.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "db/database.h"
#include "store/question_data.h"

struct QueryValue {
    DbType type = DbType::Null;
    int64_t integer = 0;
    double real = 0;
    std::string text;

    // The value as a text: a number in decimal, null as nothing.
    std::string Text() const;
};

struct QueryAnswer {
    std::vector<std::string> columns;
    std::vector<std::vector<QueryValue>> rows;
};

// Takes an answer as the database gives it: the column names once, then each row, so that
// an answer of any size can be written out without being held.
class AnswerSink {
public:
    virtual ~AnswerSink() = default;
    // False to read no further (the sink has said why).
    virtual bool Columns(const std::vector<std::string>& names) = 0;
    virtual bool Row(const std::vector<QueryValue>& values) = 0;
};

enum class AnswerOutcome {
    Answered,
    Refused,    // not one statement that only reads: nothing ran
    Failed,     // the database failed (the statement does not parse, names what is not there...)
    Stopped,    // interrupted, or its time limit reached, part way (LastError tells which)
    NotTaken,   // the sink took no more rows (it has said why)
};

// Runs `sql` (one statement, read only) with the values bound in order, handing `sink` the
// answer as it comes. `message` says why not (the database's own words included).
AnswerOutcome RunReadOnlyQuery(Database& database, const std::string& sql, const std::vector<QueryValue>& values,
                              AnswerSink& sink, std::string& message);
// The same, the whole answer kept in `answer`.
AnswerOutcome RunReadOnlyQuery(Database& database, const std::string& sql, const std::vector<QueryValue>& values,
                              QueryAnswer& answer, std::string& message);

// The question of that name; nullptr when there is none.
const Question* FindQuestion(const std::string& name);

// Reads the parameters given for `question` ("value" in order, or "name=value") into the
// values its SQL binds, with `now` (seconds since 1970, UTC) for the time of asking. False
// with `message` for a parameter missing, unknown, given twice or not of its type.
bool BindQuestion(const Question& question, const std::vector<std::string>& given, int64_t now,
                  std::vector<QueryValue>& values, std::string& message);
