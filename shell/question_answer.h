// The answer to a ready-made question as the questions window shows it: the headers its
// data gives in the interface language, sizes in KB, MB or GB, percentages with one
// decimal, dates in the user's short date and time format, results and changes in words;
// the numbers, sizes and dates sort by their values. Columns the question does not
// describe, and the user's own queries, show the store's names and values as they are.
#pragma once
#include <string>

#include "listtools/result_model.h"
#include "store/question_data.h"
#include "store/store_query.h"

// `question` null: the answer as the store gave it.
ResultModel QuestionAnswerModel(const Question* question, const QueryAnswer& answer);

// Which columns of that model sort as numbers.
std::vector<bool> QuestionNumberColumns(const Question* question, const QueryAnswer& answer);

// One value as a column of that format shows it (exposed for tests).
std::string ShowAnswerValue(ColumnFormat format, const QueryValue& value);
