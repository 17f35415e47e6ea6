#include "listtools/sort_compare.h"

#include "listtools/sort_keys.h"
#include "base/text_util.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numeric>

namespace {

const std::string kNoText;

// What a row sorts by in `column`: its sort text there, else its cell.
const std::string& CellOf(const ResultRow& row, int column)
{
    if (column >= 0 && static_cast<size_t>(column) < row.sortTexts.size() &&
        !row.sortTexts[static_cast<size_t>(column)].empty())
        return row.sortTexts[static_cast<size_t>(column)];
    return column >= 0 && static_cast<size_t>(column) < row.cells.size()
               ? row.cells[static_cast<size_t>(column)]
               : kNoText;
}

// -1, 0 or 1 by the sign of `result`, turned round when not ascending.
int Direction(bool ascending, int result)
{
    int sign = (result > 0) - (result < 0);
    return ascending ? sign : -sign;
}

int CompareUnsigned(uint32_t first, uint32_t second)
{
    return first > second ? 1 : (first < second ? -1 : 0);
}

// The sort value of one row, read from a copy of its cell (rows may move while they
// are sorted): its text, and the number in it where needed.
struct RowKey {
    TextSortKey text;
    NumericSortKey number;
    uint32_t objectNumber = 0;
};

int CompareNumericRowKeys(const RowKey& first, const RowKey& second)
{
    if (!first.number.numeric && !second.number.numeric)
        return CompareTextKeys(first.text, second.text);
    return CompareNumericKeys(first.number, second.number);
}

int CompareTextRowKeys(const RowKey& first, const RowKey& second)
{
    return CompareTextKeys(first.text, second.text);
}

int CompareObjectNumberRowKeys(const RowKey& first, const RowKey& second)
{
    return CompareUnsigned(first.objectNumber, second.objectNumber);
}

std::vector<RowKey> ReadRowKeys(const ResultModel& model, int column, SortKeys kind)
{
    std::vector<RowKey> keys(static_cast<size_t>(model.RowCount()));
    for (int row = 0; row < model.RowCount(); ++row) {
        RowKey& key = keys[static_cast<size_t>(row)];
        const std::string& cell = CellOf(model.Row(row), column);
        if (kind == SortKeys::ObjectNumbers) {
            key.objectNumber = ReadObjectNumberKey(cell);
            continue;
        }
        const std::vector<double>& given = model.Row(row).sortValues;
        if (kind == SortKeys::Numbers && static_cast<size_t>(column) < given.size() &&
            !std::isnan(given[static_cast<size_t>(column)]))
            key.number = {true, given[static_cast<size_t>(column)]};
        else if (kind == SortKeys::Numbers)
            key.number = ReadNumericSortKey(cell);
        if (!key.number.numeric)
            key.text = ReadTextSortKey(cell);
    }
    return keys;
}

void NumberRowsByPosition(ResultModel& model)
{
    for (int row = 0; row < model.RowCount(); ++row)
        model.SetItemData(row, row);
}

// Orders the rows by their keys. The rows' item data first names their position, so
// that the comparison finds each row's key; afterwards it names the new position.
std::vector<int> SortByKeys(ResultModel& model, int column, SortKeys kind, bool ascending)
{
    NumberRowsByPosition(model);
    const std::vector<RowKey> keys = ReadRowKeys(model, column, kind);
    int (*compare)(const RowKey&, const RowKey&) =
        kind == SortKeys::Numbers         ? CompareNumericRowKeys
        : kind == SortKeys::ObjectNumbers ? CompareObjectNumberRowKeys
                                        : CompareTextRowKeys;
    std::vector<int> order = model.SortRows([&](const ResultRow& first, const ResultRow& second) {
        if (column < 0)
            return first.arrival < second.arrival;
        int result = Direction(ascending, compare(keys[static_cast<size_t>(first.itemData)],
                                                  keys[static_cast<size_t>(second.itemData)]));
        return result != 0 ? result < 0 : first.arrival < second.arrival;
    });
    NumberRowsByPosition(model);
    return order;
}

}  // namespace

int CompareNumericTexts(const std::string& first, const std::string& second)
{
    NumericSortKey firstKey = ReadNumericSortKey(first);
    NumericSortKey secondKey = ReadNumericSortKey(second);
    if (!firstKey.numeric && !secondKey.numeric)
        return CompareNoCase(first, second);
    return CompareNumericKeys(firstKey, secondKey);
}

int CompareCellTexts(const std::string& first, const std::string& second)
{
    return CompareNoCase(first, second);
}

int CompareRows(const ResultRow& first, const ResultRow& second, int column, SortKeys keys, bool ascending)
{
    const std::string& firstText = CellOf(first, column);
    const std::string& secondText = CellOf(second, column);
    int result = keys == SortKeys::Numbers         ? CompareNumericTexts(firstText, secondText)
                 : keys == SortKeys::ObjectNumbers ? CompareUnsigned(ReadObjectNumberKey(firstText),
                                                                     ReadObjectNumberKey(secondText))
                                                   : CompareCellTexts(firstText, secondText);
    return Direction(ascending, result);
}

std::vector<int> SortModel(ResultModel& model, int column, SortKeys keys, bool ascending)
{
    if (model.RowCount() == 0)
        return {};
    return SortByKeys(model, column, keys, ascending);
}

std::vector<int> UnchangedOrder(const ResultModel& model)
{
    std::vector<int> order(static_cast<size_t>(model.RowCount()));
    std::iota(order.begin(), order.end(), 0);
    return order;
}

int NewRowPosition(const std::vector<int>& oldPositions, int oldRow)
{
    auto found = std::find(oldPositions.begin(), oldPositions.end(), oldRow);
    return found == oldPositions.end() ? -1 : static_cast<int>(found - oldPositions.begin());
}
