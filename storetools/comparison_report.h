// A comparison of two checks written out: as text for a person, as CSV (one row per added
// or removed object and per changed property, the object in every row) or as JSON (raw
// values beside the texts), and as the rows of a result list.
#pragma once
#include <string>

#include "listtools/result_model.h"
#include "store/check_comparison.h"

// The name under which a category or class of a comparison is shown: the standard
// category's label, or the class's display text.
std::string PartLabel(const std::string& className, bool standard);

// The text report; volatile changes only `withVolatile`.
std::string ComparisonText(const CheckComparison& comparison, bool withVolatile);

// The changes as a result list (columns: category or class, object, change, property,
// before, after, and whether the property is volatile when `withVolatile`): a row per added
// or removed object and per changed property; `recognised`: an added or removed object
// gives a row per property it is recognised by instead (property, and its text after or
// before), as the window shows it.
ResultModel ComparisonModel(const CheckComparison& comparison, bool withVolatile, bool recognised = false);

// JSON, ASCII with \u escapes.
std::string ComparisonJson(const CheckComparison& comparison, bool withVolatile);
