// The table a result pane copies: the column names first, then the chosen rows, cells
// separated by tabs; a tab or line break inside a cell cannot split it.
#include <gtest/gtest.h>

#include "listtools/result_pane.h"

TEST(TableOfRows, HeaderThenTheChosenRowsWithTheirCellsKeptWhole)
{
    ResultModel model;
    model.AddColumn(ResultColumn{"computer"});
    model.AddColumn(ResultColumn{"note\ttext"});
    model.AppendRow(ResultRow{{"PC01", "two\r\nlines"}});
    model.AppendRow(ResultRow{{"PC02", ""}});
    model.AppendRow(ResultRow{{"コンピュータ", "a\tb\nc"}});
    EXPECT_EQ(TableOfRows(model, {2, 0}), "computer\tnote text\r\n"
                                          "コンピュータ\ta b c\r\n"
                                          "PC01\ttwo  lines\r\n");
    // Rows that do not exist add nothing; an empty cell keeps its place.
    EXPECT_EQ(TableOfRows(model, {1, 7, -1}), "computer\tnote text\r\nPC02\t\r\n");
    EXPECT_EQ(TableOfRows(ResultModel{}, {0}), "\r\n");
}
