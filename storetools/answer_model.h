// An answer of the store as the rows of a result list.
#pragma once
#include "listtools/result_model.h"
#include "store/store_query.h"

// The answer as the rows of a result list: the column names, each value as its text.
ResultModel AnswerModel(const QueryAnswer& answer);
