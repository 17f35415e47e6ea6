// The ready-made questions, generated from store/questions.txt: their names, texts (string
// IDs, both languages), parameters and SQL over the store's views.
#pragma once
#include <span>

enum class QuestionType { Text, Integer, Number };

struct QuestionParameter {
    const char* name;
    QuestionType type;
    bool optional;     // may be left empty
    int promptId;      // what to type
};

struct Question {
    const char* name;
    int titleId;
    int descriptionId;
    const char* sql;                                 // one "?" per bound value
    std::span<const QuestionParameter> parameters;
    std::span<const int> binds;                      // per "?": a parameter's index, or -1 for the time of asking
};

std::span<const Question> ReadyQuestions();
