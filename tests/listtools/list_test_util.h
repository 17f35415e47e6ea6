// Models and clipboard access shared by the list tool tests.
#pragma once
#include "listtools/result_model.h"
#include "resources/text.h"
#include "standard/category_catalog.h"

#include <optional>
#include <string>
#include <vector>

namespace listtest {

// A model with `columns` columns named c0, c1, ... and no rows.
inline ResultModel ModelWithColumns(int columns)
{
    ResultModel model;
    for (int column = 0; column < columns; ++column)
        model.AddColumn({std::string("c").append(std::to_string(column))});
    return model;
}

// Appends rows the way the forms do: the sort tag is the row's position.
inline void AppendRows(ResultModel& model, const std::vector<std::vector<std::string>>& rows)
{
    for (const std::vector<std::string>& cells : rows) {
        ResultRow row;
        row.cells = cells;
        row.itemData = model.RowCount();
        model.AppendRow(std::move(row));
    }
}

// The model's cells of one column from top to bottom.
inline std::vector<std::string> ColumnTexts(const ResultModel& model, int column)
{
    std::vector<std::string> texts;
    for (int row = 0; row < model.RowCount(); ++row)
        texts.push_back(model.Cell(row, column));
    return texts;
}

// The display list's header of a category page: its columns with their header texts.
inline ResultModel CategoryPageModel(const StandardCategory& category)
{
    ResultModel model;
    for (int column = 0; column < category.columnCount; ++column)
        model.AddColumn({LoadText(category.columns[column].headerStringId),
                         category.columns[column].rightAligned, kCategoryColumnWidth});
    return model;
}

// The first category page that has a numeric sort column.
inline const StandardCategory& CategoryWithNumericColumn()
{
    for (const StandardCategory& category : kStandardCategories)
        if (category.numericSortColumnCount > 0)
            return category;
    return kStandardCategories[0];
}

// A column of `category` that sorts as text.
inline int TextColumnOf(const StandardCategory& category)
{
    for (int column = 0; column < category.columnCount; ++column)
        if (!IsNumericSortColumn(category.page, column))
            return column;
    return -1;
}

}  // namespace listtest
