// Find in a result list: the search over the list's model and the texts the Find
// dialog shows. The dialog keeps the search position (find_position.h) and marks the
// cell found.
#pragma once
#include "listtools/result_model.h"

#include <optional>
#include <string>

inline constexpr unsigned kFindTextEmptyStringId = 109;   // "Please input Find Text."
inline constexpr unsigned kFindNotFoundStringId = 110;    // "Cannot find "%1"."

// `text` in upper case for a search that ignores case (see FindCaseMap).
std::string UpperCaseForFind(const std::string& text);

// Byte offset of the first occurrence of `part` in `text` (both UTF-8), which always
// starts on a character boundary; std::string::npos when there is none.
size_t FindMultiByte(const std::string& text, const std::string& part);

struct FoundCell {
    int row;
    int column;
};

// The first cell holding `text`, scanning rows from `startRow` down to the last row
// (`down`) or up to row 0, and within a row the columns left to right (as many as the
// model has). Without `matchCase` text and cells are compared in upper case. A start
// outside the rows begins at the nearest row in the direction of the search.
std::optional<FoundCell> FindInModel(const ResultModel& model, const std::string& text,
                                     bool matchCase, bool down, int startRow);

// The text to search for: the field's text trimmed of white space, in upper case
// without `matchCase`. Empty means: show string 109 and search nothing.
std::string FindTextToSearch(const std::string& fieldText, bool matchCase);

// String 110 naming the text as it was typed.
std::string FindNotFoundMessage(const std::string& typedText);

// One Find Next: what the dialog does next, and where the following search starts.
struct FindNextResult {
    // NotFoundFromHere: nothing between `position` and the end of the search's direction,
    // which did not start at the first row (downward) or the last (upward); the message
    // asks whether to continue from there (ContinueFromEdge).
    enum class Outcome { EmptyText, NotFound, NotFoundFromHere, Found };
    Outcome outcome;
    FoundCell cell;        // when Found
    std::string message;   // string 109, the not-found message or the question; empty when Found
};
// Searches from `position` and, on a match, moves `position` on (row + 1 downward,
// row - 1 upward); otherwise leaves it alone. The messages name the text as typed.
FindNextResult FindNext(const ResultModel& model, const std::string& fieldText, bool matchCase,
                        bool down, int& position);
// The answer Yes to NotFoundFromHere: the search goes on from the first row (downward)
// or the last (upward); nothing is left after that.
void ContinueFromEdge(const ResultModel& model, bool down, int& position);
