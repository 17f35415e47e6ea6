// Find in a result list: search order, search positions, texts and messages.
#include <gtest/gtest.h>

#include "listtools/find_position.h"
#include "listtools/find_text.h"
#include "tests/listtools/list_test_util.h"

#include <windows.h>

namespace {

using Outcome = FindNextResult::Outcome;

// Ten rows of three columns; "CDROM" stands in rows 0, 2, 5 (column 2) and 8.
ResultModel DeviceModel()
{
    ResultModel model = listtest::ModelWithColumns(3);
    for (int row = 0; row < 10; ++row)
        listtest::AppendRows(model, {{std::string("Device ").append(std::to_string(row)), "Drive", "Disk"}});
    ResultModel withCdrom = listtest::ModelWithColumns(3);
    for (int row = 0; row < model.RowCount(); ++row) {
        std::vector<std::string> cells = model.Row(row).cells;
        if (row == 0 || row == 2 || row == 8)
            cells[1] = "CDROM drive";
        if (row == 5)
            cells[2] = "ATAPI CDROM";
        listtest::AppendRows(withCdrom, {cells});
    }
    return withCdrom;
}

class Find : public testing::Test {
protected:
    void SetUp() override { SetTextLanguage(kEnglishLanguage); }
    void TearDown() override { SetTextLanguage(0); }

    ResultModel model_ = DeviceModel();
};

TEST_F(Find, DownwardFromASelectedRowTestsThatRowFirst)
{
    int position = FindPositionOnOpen(5);
    EXPECT_EQ(position, 5);
    FindNextResult result = FindNext(model_, "cdrom", false, true, position);
    ASSERT_EQ(result.outcome, Outcome::Found);
    EXPECT_EQ(result.cell.row, 5);
    EXPECT_EQ(result.cell.column, 2);
    EXPECT_EQ(position, 6);

    result = FindNext(model_, "cdrom", false, true, position);
    ASSERT_EQ(result.outcome, Outcome::Found);
    EXPECT_EQ(result.cell.row, 8);
    EXPECT_EQ(result.cell.column, 1);
    EXPECT_EQ(position, 9);

    result = FindNext(model_, "cdrom", false, true, position);   // no wrap-around unasked
    EXPECT_EQ(result.outcome, Outcome::NotFoundFromHere);
    EXPECT_EQ(result.message, "Cannot find \"cdrom\" below the selected row.\n\nContinue from the top?");
    EXPECT_EQ(position, 9);
    ContinueFromEdge(model_, true, position);
    result = FindNext(model_, "cdrom", false, true, position);
    ASSERT_EQ(result.outcome, Outcome::Found);
    EXPECT_EQ(result.cell.row, 0);
}

TEST_F(Find, UpwardEndsAfterRowZero)
{
    int position = 5;
    std::vector<int> rows;
    for (FindNextResult result; (result = FindNext(model_, "CDROM", true, false, position)).outcome == Outcome::Found;)
        rows.push_back(result.cell.row);
    EXPECT_EQ(rows, (std::vector<int>{5, 2, 0}));
    EXPECT_EQ(position, -1);
    FindNextResult result = FindNext(model_, "CDROM", true, false, position);
    EXPECT_EQ(result.outcome, Outcome::NotFoundFromHere);
    EXPECT_EQ(result.message, "Cannot find \"CDROM\" above the selected row.\n\nContinue from the bottom?");
    EXPECT_EQ(position, -1);
    ContinueFromEdge(model_, false, position);
    EXPECT_EQ(position, 9);
    EXPECT_EQ(FindNext(model_, "CDROM", true, false, position).cell.row, 8);
}

TEST_F(Find, ColumnsLeftToRightWithinARow)
{
    ResultModel model = listtest::ModelWithColumns(4);
    listtest::AppendRows(model, {{"x", "disk two", "disk one", "disk"}});
    std::optional<FoundCell> found = FindInModel(model, "DISK", false, true, 0);
    ASSERT_TRUE(found);
    EXPECT_EQ(found->column, 1);
    // Only the model's columns are searched, and short rows have empty cells.
    ResultModel narrow = listtest::ModelWithColumns(1);
    listtest::AppendRows(narrow, {{"a", "needle"}, {}});
    EXPECT_FALSE(FindInModel(narrow, "needle", true, true, 0));
}

TEST_F(Find, StartsOutsideTheRowsBeginAtTheNearestRow)
{
    EXPECT_EQ(FindInModel(model_, "CDROM", true, true, -1)->row, 0);
    EXPECT_EQ(FindInModel(model_, "CDROM", true, false, 50)->row, 8);
    EXPECT_FALSE(FindInModel(model_, "CDROM", true, true, 10));
    EXPECT_FALSE(FindInModel(ResultModel(), "x", false, true, 0));
    EXPECT_FALSE(FindInModel(ResultModel(), "x", false, false, -1));
}

TEST_F(Find, UpWithNothingSelectedStartsAtTheLastRow)
{
    int position = FindPositionForUp(-1, model_.RowCount());
    EXPECT_EQ(position, 9);
    FindNextResult result = FindNext(model_, "Device", true, false, position);
    EXPECT_EQ(result.cell.row, 9);
    EXPECT_EQ(position, 8);
}

TEST_F(Find, SearchPositions)
{
    EXPECT_EQ(FindPositionOnOpen(-1), 0);
    EXPECT_EQ(FindPositionOnOpen(3), 3);
    EXPECT_EQ(FindPositionForUp(-1, 10), 9);
    EXPECT_EQ(FindPositionForUp(4, 10), 4);
    EXPECT_EQ(FindPositionForDown(-1), 0);
    EXPECT_EQ(FindPositionForDown(4), 4);
    EXPECT_EQ(FindPositionForMatchCase(-1, true, 10), 0);
    EXPECT_EQ(FindPositionForMatchCase(-1, false, 10), 9);
    EXPECT_EQ(FindPositionForMatchCase(6, false, 10), 6);
    EXPECT_EQ(FindPositionAfterMatch(5, true), 6);
    EXPECT_EQ(FindPositionAfterMatch(5, false), 4);
    EXPECT_EQ(FindPositionAfterMatch(0, false), -1);
}

TEST_F(Find, BlankTextIsEmpty)
{
    int position = 3;
    for (const char* text : {"", "   ", " \t \r\n"}) {
        FindNextResult result = FindNext(model_, text, false, true, position);
        EXPECT_EQ(result.outcome, Outcome::EmptyText);
        EXPECT_EQ(result.message, "Please input Find Text.");
        EXPECT_EQ(position, 3);
    }
}

TEST_F(Find, CaseAndBlanksOfTheSearchText)
{
    EXPECT_EQ(FindTextToSearch("  cdrom ", false), "CDROM");
    EXPECT_EQ(FindTextToSearch("  cdrom ", true), "cdrom");
    int position = 0;
    FindNextResult result = FindNext(model_, " cdrom  ", false, true, position);
    EXPECT_EQ(result.outcome, Outcome::Found);
    EXPECT_EQ(result.cell.row, 0);

    position = 0;
    result = FindNext(model_, " cdrom  ", true, true, position);   // Match case
    EXPECT_EQ(result.outcome, Outcome::NotFound) << "searched from the top: nothing to continue";
    EXPECT_EQ(result.message, "Cannot find \" cdrom  \".") << "as typed";
    result = FindNext(model_, "cd-rom", false, true, position);
    EXPECT_EQ(result.message, "Cannot find \"cd-rom\".");

    // Upper-case text is found by a lower-case cell too when the case does not matter.
    ResultModel model = listtest::ModelWithColumns(1);
    listtest::AppendRows(model, {{"generic cdrom drive"}});
    EXPECT_TRUE(FindInModel(model, "CDROM", false, true, 0));
    EXPECT_FALSE(FindInModel(model, "CDROM", true, true, 0));
}

TEST_F(Find, UpperCaseOfEveryScript)
{
    EXPECT_EQ(UpperCaseForFind("abc xyz 123 [_]"), "ABC XYZ 123 [_]");
    EXPECT_EQ(UpperCaseForFind(""), "");
    EXPECT_EQ(UpperCaseForFind("café naïve ÿ αβ жд ｄｅｆ"), "CAFÉ NAÏVE Ÿ ΑΒ ЖД ＤＥＦ");
    EXPECT_EQ(UpperCaseForFind("straße ✓ 𝄞"), "STRAßE ✓ 𝄞");   // no upper case of its own
    ResultModel model = listtest::ModelWithColumns(1);
    listtest::AppendRows(model, {{"Société GÉNÉRALE サービス"}});
    EXPECT_TRUE(FindInModel(model, "société", false, true, 0));
    EXPECT_TRUE(FindInModel(model, "ービ", false, true, 0));
}

TEST_F(Find, SubstringPositions)
{
    EXPECT_EQ(FindMultiByte("abcabc", "cab"), 2u);
    EXPECT_EQ(FindMultiByte("abc", "abcd"), std::string::npos);
    EXPECT_EQ(FindMultiByte("abc", ""), 0u);
    EXPECT_EQ(FindMultiByte("", "a"), std::string::npos);
}

}  // namespace
