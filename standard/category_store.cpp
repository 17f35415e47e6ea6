// Result tables of the standard categories.
#include "standard/category_store.h"

#include <array>
#include <utility>

#include "resources/text.h"
#include "standard/category_catalog.h"

namespace {

const std::string kEmptyText;
const RawValue kNullValue;

}  // namespace

int CategoryStore::AddColumn(std::string headerText, bool rightAligned, int width)
{
    columns_.push_back(Column{std::move(headerText), rightAligned, width});
    for (std::vector<std::string>& row : rows_)
        row.resize(columns_.size());
    for (std::vector<RawValue>& row : rawRows_)
        row.resize(columns_.size());
    return ColumnCount() - 1;
}

const std::string& CategoryStore::ColumnHeader(int column) const
{
    if (column < 0 || column >= ColumnCount())
        return kEmptyText;
    return columns_[column].header;
}

bool CategoryStore::ColumnRightAligned(int column) const
{
    return column >= 0 && column < ColumnCount() && columns_[column].rightAligned;
}

int CategoryStore::ColumnWidth(int column) const
{
    if (column < 0 || column >= ColumnCount())
        return 0;
    return columns_[column].width;
}

int CategoryStore::AppendRow()
{
    rows_.emplace_back(columns_.size());
    if (keepRaw_)
        rawRows_.emplace_back(columns_.size());
    return RowCount() - 1;
}

bool CategoryStore::HasCell(int row, int column) const
{
    return row >= 0 && row < RowCount() && column >= 0 && column < ColumnCount();
}

bool CategoryStore::SetCell(int row, int column, std::string text)
{
    if (!HasCell(row, column))
        return false;
    rows_[row][column] = std::move(text);
    return true;
}

const std::string& CategoryStore::Cell(int row, int column) const
{
    if (!HasCell(row, column))
        return kEmptyText;
    return rows_[row][column];
}

bool CategoryStore::DeleteRow(int row)
{
    if (row < 0 || row >= RowCount())
        return false;
    rows_.erase(rows_.begin() + row);
    if (keepRaw_)
        rawRows_.erase(rawRows_.begin() + row);
    return true;
}

void CategoryStore::Reset()
{
    rows_.clear();
    rawRows_.clear();
    columns_.clear();
}

void CategoryStore::KeepRawValues(bool keep)
{
    keepRaw_ = keep;
    rawRows_.clear();
    if (keep)
        rawRows_.resize(rows_.size(), std::vector<RawValue>(columns_.size()));
}

void CategoryStore::SetRawCell(int row, int column, RawValue value)
{
    if (keepRaw_ && HasCell(row, column))
        rawRows_[row][column] = std::move(value);
}

const RawValue& CategoryStore::RawCell(int row, int column) const
{
    if (!keepRaw_ || !HasCell(row, column))
        return kNullValue;
    return rawRows_[row][column];
}

static_assert(kCategoryCount == 28);

StandardStores::StandardStores()
{
    for (const StandardCategory& category : kStandardCategories) {
        CategoryStore& store = stores_[category.storeIndex];
        for (int i = 0; i < category.columnCount; ++i) {
            const CategoryColumn& column = category.columns[i];
            store.AddColumn(LoadText(column.headerStringId), column.rightAligned,
                            kCategoryColumnWidth);
        }
    }
}

CategoryStore* StandardStores::Store(int storeIndex)
{
    if (storeIndex < 0 || storeIndex >= kCategoryCount)
        return nullptr;
    return &stores_[storeIndex];
}

const CategoryStore* StandardStores::Store(int storeIndex) const
{
    return const_cast<StandardStores*>(this)->Store(storeIndex);
}

void StandardStores::ClearAllRows()
{
    for (CategoryStore& store : stores_)
        store.DeleteAllRows();
    incomplete_.fill(false);
    notRead_.fill(false);
    stopped_ = false;
}

void StandardStores::MarkAllNotRead()
{
    notRead_.fill(true);
    incomplete_.fill(true);
}

void StandardStores::MarkRead(int storeIndex)
{
    if (storeIndex >= 0 && storeIndex < kCategoryCount) {
        notRead_[storeIndex] = false;
        incomplete_[storeIndex] = false;
    }
}

void StandardStores::MarkNotRead(int storeIndex)
{
    if (storeIndex >= 0 && storeIndex < kCategoryCount) {
        notRead_[storeIndex] = true;
        incomplete_[storeIndex] = true;
    }
}

bool StandardStores::WasRead(int storeIndex) const
{
    return storeIndex >= 0 && storeIndex < kCategoryCount && !notRead_[storeIndex];
}

bool StandardStores::AnyCategoryRead() const
{
    for (bool notRead : notRead_)
        if (!notRead)
            return true;
    return false;
}

void StandardStores::MarkIncomplete(int storeIndex)
{
    if (storeIndex >= 0 && storeIndex < kCategoryCount)
        incomplete_[storeIndex] = true;
}

bool StandardStores::IsIncomplete(int storeIndex) const
{
    return storeIndex >= 0 && storeIndex < kCategoryCount && incomplete_[storeIndex];
}

bool StandardStores::AnyIncomplete() const
{
    for (bool incomplete : incomplete_)
        if (incomplete)
            return true;
    return false;
}

void StandardStores::KeepRawValues(bool keep)
{
    for (CategoryStore& store : stores_)
        store.KeepRawValues(keep);
}

bool StandardStores::HasData() const
{
    for (const CategoryStore& store : stores_)
        if (store.RowCount() > 0)
            return true;
    return false;
}
