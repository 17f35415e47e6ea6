// The ready-made questions, generated from store/questions.txt: their names, texts (string
// IDs, both languages), parameters, the columns they answer with and the SQL over the
// store's views.
#pragma once
#include <span>

enum class QuestionType { Text, Integer, Number };

struct QuestionParameter {
    const char* name;
    QuestionType type;
    bool optional;     // may be left empty
    int labelId;       // what the window calls it ("Free space below (%)")
    int promptId;      // what to type
    bool ranged;       // a number between least and most (both included)
    double least;
    double most;
};

// How the window shows a column's values (mirelrep writes them as the store answers).
enum class ColumnFormat {
    Text,
    Number,    // digits grouped
    Size,      // bytes, shown in KB, MB or GB
    Percent,   // one decimal
    Date,      // an ISO 8601 time, shown in the user's short date and time format
    Result,    // a check's result key ("ok", "host-not-found"...), shown as its text
    Change,    // "added", "removed" or "changed", shown in the interface language
};

struct AnswerColumn {
    const char* name;   // the column's name in the SQL
    ColumnFormat format;
    int headerId;
};

struct Question {
    const char* name;
    int titleId;
    int descriptionId;
    const char* sql;                                 // one "?" per bound value
    std::span<const QuestionParameter> parameters;
    std::span<const int> binds;                      // per "?": a parameter's index, or -1 for the time of asking
    std::span<const AnswerColumn> columns;           // the columns the SQL answers, in its order
};

std::span<const Question> ReadyQuestions();
