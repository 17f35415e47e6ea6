#include "listtools/find_text.h"

#include "listtools/find_case_map.h"
#include "listtools/find_position.h"
#include "base/text_util.h"
#include "resources/resource.h"
#include "resources/text.h"

#include <algorithm>

namespace {

// Tests cells for the searched text, upper-casing them when the case does not matter.
class CellMatcher {
public:
    CellMatcher(const std::string& text, bool matchCase)
        : wanted_(matchCase ? text : map_.Upper(text)), matchCase_(matchCase) {}

    bool Holds(const std::string& cell)
    {
        if (matchCase_)
            return cell.find(wanted_) != std::string::npos;
        map_.UpperInto(cell, upper_);
        return upper_.find(wanted_) != std::string::npos;
    }

    // The first column of `row` holding the text; -1 when none does.
    int ColumnHolding(const ResultModel& model, int row)
    {
        for (int column = 0; column < model.ColumnCount(); ++column)
            if (Holds(model.Cell(row, column)))
                return column;
        return -1;
    }

private:
    const FindCaseMap map_;
    const std::string wanted_;
    const bool matchCase_;
    std::string upper_;
};

}  // namespace

std::string UpperCaseForFind(const std::string& text)
{
    return FindCaseMap().Upper(text);
}

size_t FindMultiByte(const std::string& text, const std::string& part)
{
    // UTF-8 lets a whole character match only where a character starts.
    return text.find(part);
}

std::optional<FoundCell> FindInModel(const ResultModel& model, const std::string& text,
                                     bool matchCase, bool down, int startRow)
{
    CellMatcher matcher(text, matchCase);
    const int step = down ? 1 : -1;
    int row = down ? std::max(startRow, 0) : std::min(startRow, model.RowCount() - 1);
    for (; row >= 0 && row < model.RowCount(); row += step) {
        int column = matcher.ColumnHolding(model, row);
        if (column >= 0)
            return FoundCell{row, column};
    }
    return std::nullopt;
}

std::string FindTextToSearch(const std::string& fieldText, bool matchCase)
{
    std::string text = TrimWhiteSpace(fieldText);
    return matchCase ? text : UpperCaseForFind(text);
}

std::string FindNotFoundMessage(const std::string& typedText)
{
    return FillIn(LoadText(kFindNotFoundStringId), typedText);
}

void ContinueFromEdge(const ResultModel& model, bool down, int& position)
{
    position = down ? 0 : model.RowCount() - 1;
}

FindNextResult FindNext(const ResultModel& model, const std::string& fieldText, bool matchCase,
                        bool down, int& position)
{
    const std::string text = FindTextToSearch(fieldText, matchCase);
    if (text.empty())
        return {FindNextResult::Outcome::EmptyText, {}, LoadText(kFindTextEmptyStringId)};
    std::optional<FoundCell> found = FindInModel(model, text, matchCase, down, position);
    if (!found) {
        const bool fromEdge = down ? position <= 0 : position >= model.RowCount() - 1;
        if (fromEdge)
            return {FindNextResult::Outcome::NotFound, {}, FindNotFoundMessage(fieldText)};
        return {FindNextResult::Outcome::NotFoundFromHere, {},
                FillIn(LoadText(down ? IDS_FIND_NOT_FOUND_BELOW : IDS_FIND_NOT_FOUND_ABOVE), fieldText)};
    }
    position = FindPositionAfterMatch(found->row, down);
    return {FindNextResult::Outcome::Found, *found, {}};
}
