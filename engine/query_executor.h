// Running one WQL query on the target computer and turning every object it returns into
// display text: rows of a result table (standard check) or property entries (individual
// check). Both keep the progress line current and honour a stop request.
#pragma once
#include <string>
#include <vector>

#include "base/raw_value.h"
#include "engine/check_context.h"
#include "engine/result_table.h"

// One entry per non-empty property value, object by object, in property-list order.
struct ClassQueryEntries {
    std::vector<unsigned> objectNumbers;   // 1-based object number
    std::vector<std::string> names;        // property name
    std::vector<unsigned> types;           // VARIANT type of the value as read
    std::vector<std::string> values;       // rendered value, never empty
    // Kept only when asked for: the value as WMI delivered it, entry by entry.
    bool keepRaw = false;
    std::vector<RawValue> raws;

    void Clear();
    size_t Size() const { return values.size(); }
};

// The most entries one individual check collects; reading ends there as if the objects
// were exhausted.
inline constexpr size_t kMaxClassEntries = 2147483647;

// What the executors return: read (also when stopped or empty); failed (errorText set);
// the enumeration broke off (the rows read stay, errorText names the class and the error).
enum class QueryOutcome { Read, Failed, Incomplete };

// Empties `list`, runs `query` on the check's computer and appends one row per object with
// one cell per name of `propertyNames` (ends with nullptr). Read when the query ran (also
// when stopped or empty), Incomplete when it broke off, Failed when the connection or the
// query failed or the computer did not answer within the check's time limit (errorText
// set). The check's progress line gets the object number; its stop flag ends the reading.
QueryOutcome ExecuteStandardQuery(CheckContext& check, int classId, const std::string& query,
                                  const wchar_t* const* propertyNames, ResultTable& list,
                                  std::string& errorText, long& objectCount);

// Like ExecuteStandardQuery, but collects the non-empty property values as entries.
QueryOutcome ExecuteClassQuery(CheckContext& check, ClassQueryEntries& entries, int classId,
                               const std::string& query, const wchar_t* const* propertyNames,
                               std::string& errorText, long& objectCount);
