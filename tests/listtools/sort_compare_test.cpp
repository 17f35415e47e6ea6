// Comparisons and sorts of the result lists, on real category pages of the catalog.
#include <gtest/gtest.h>

#include "individual/individual_sort.h"
#include "listtools/sort_compare.h"
#include "listtools/sort_keys.h"
#include "standard/page_sort.h"
#include "tests/listtools/list_test_util.h"

#include <algorithm>
#include <random>

namespace {

using listtest::AppendRows;
using listtest::ColumnTexts;
using listtest::ModelWithColumns;
using Texts = std::vector<std::string>;

int Sign(int value)
{
    return (value > 0) - (value < 0);
}

TEST(CompareNumericTexts, NumbersByValue)
{
    EXPECT_EQ(CompareNumericTexts(" 1,024 ", "1024"), 0);
    EXPECT_EQ(CompareNumericTexts(" 1,024 ", "1000"), 1);
    EXPECT_EQ(CompareNumericTexts("\t42\r\n", "42"), 0);
    EXPECT_EQ(CompareNumericTexts("-5", "3"), -1);
    EXPECT_EQ(CompareNumericTexts("-5", "-3"), -1);
    EXPECT_EQ(CompareNumericTexts(" -5", "-5.0"), 0);
    EXPECT_EQ(CompareNumericTexts("9", "10"), -1);
    EXPECT_EQ(CompareNumericTexts("1.10", "1.1"), 0);
    EXPECT_EQ(CompareNumericTexts("1,2", "12"), 0);   // commas are simply dropped
    EXPECT_EQ(CompareNumericTexts(".5", "0.5"), 0);
    EXPECT_EQ(CompareNumericTexts("5.", "5"), 0);
}

TEST(CompareNumericTexts, EmptyCountsAsZeroBetweenNegativesAndPositives)
{
    EXPECT_EQ(CompareNumericTexts("", "0"), 0);
    EXPECT_EQ(CompareNumericTexts("   ", "0"), 0);
    EXPECT_EQ(CompareNumericTexts("-1", ""), -1);
    EXPECT_EQ(CompareNumericTexts("", "0.001"), -1);
    EXPECT_EQ(CompareNumericTexts("-", "0"), 0);   // a lone minus leaves nothing: 0
    EXPECT_EQ(CompareNumericTexts(".", "0"), 0);   // no digits at all read as 0
}

TEST(CompareNumericTexts, ConversionStopsAtTheSecondPoint)
{
    EXPECT_EQ(CompareNumericTexts("1.2.3", "1.2"), 0);
    EXPECT_EQ(CompareNumericTexts("1.2.3", "1.3"), -1);
    EXPECT_EQ(CompareNumericTexts("10.0.19041", "9.9"), 1);
}

TEST(CompareNumericTexts, NumbersBeforeTexts)
{
    EXPECT_EQ(CompareNumericTexts("999999", "abc"), -1);
    EXPECT_EQ(CompareNumericTexts("abc", "-5"), 1);
    EXPECT_EQ(CompareNumericTexts("", "N/A"), -1);
    EXPECT_EQ(CompareNumericTexts("12 MB", "5"), 1);    // a unit makes it a text
    EXPECT_EQ(CompareNumericTexts("--5", "5"), 1);      // only one minus is a sign
    EXPECT_EQ(CompareNumericTexts("- 5", "5"), 1);
    EXPECT_EQ(CompareNumericTexts("1e3", "5"), 1);      // no exponents
    EXPECT_EQ(CompareNumericTexts("0x10", "5"), 1);
    // A number too large for a double still counts as a number, above all others.
    EXPECT_EQ(CompareNumericTexts(std::string("1").append(400, '0'), "1e300"), -1);
    EXPECT_EQ(CompareNumericTexts(std::string("1").append(400, '0'), "99999999"), 1);
}

TEST(CompareNumericTexts, TwoTextsCompareAsGivenIgnoringCase)
{
    EXPECT_EQ(CompareNumericTexts("abc", "ABC"), 0);
    EXPECT_LT(CompareNumericTexts("abc", "abd"), 0);
    EXPECT_GT(CompareNumericTexts("Zed", "apple"), 0);
    // Not trimmed for the text comparison: a leading blank sorts first.
    EXPECT_LT(CompareNumericTexts(" zz", "aa"), 0);
    EXPECT_NE(CompareNumericTexts(" ab", "ab"), 0);
}

TEST(CompareCellTexts, IgnoresCaseOnly)
{
    EXPECT_EQ(CompareCellTexts("Intel(R) Core(TM)", "INTEL(r) core(tm)"), 0);
    EXPECT_LT(CompareCellTexts("Alpha", "beta"), 0);
    EXPECT_GT(CompareCellTexts("alpha2", "ALPHA10"), 0);   // texts, not numbers
    EXPECT_LT(CompareCellTexts("", "a"), 0);
    // Letters of every script that has case.
    EXPECT_EQ(CompareCellTexts("Société ÉTÉ Σ Ж", "SOCIÉTÉ été σ ж"), 0);
    EXPECT_LT(CompareCellTexts("café", "CAFÉS"), 0);
    EXPECT_NE(CompareCellTexts("café", "cafe"), 0);
}

TEST(ReadObjectNumberKey, LeadingDigitsTakenUnsigned)
{
    EXPECT_EQ(ReadObjectNumberKey("10"), 10u);
    EXPECT_EQ(ReadObjectNumberKey(" 7"), 7u);
    EXPECT_EQ(ReadObjectNumberKey("+7"), 7u);
    EXPECT_EQ(ReadObjectNumberKey("12abc"), 12u);
    EXPECT_EQ(ReadObjectNumberKey("abc"), 0u);
    EXPECT_EQ(ReadObjectNumberKey(""), 0u);
    EXPECT_EQ(ReadObjectNumberKey("-1"), 0xFFFFFFFFu);
    EXPECT_EQ(ReadObjectNumberKey("99999999999"), 0x7FFFFFFFu);    // saturates
    EXPECT_EQ(ReadObjectNumberKey("-99999999999"), 0x80000000u);
}

class StandardSort : public testing::Test {
protected:
    void SetUp() override { SetTextLanguage(kEnglishLanguage); }

    const StandardCategory& category_ = listtest::CategoryWithNumericColumn();
    const int page_ = category_.page;
    const int numeric_ = category_.numericSortColumns[0];
    const int text_ = listtest::TextColumnOf(category_);

    // One row per value, the value in column `column`, the row's first position in
    // the last column.
    ResultModel ModelOf(int column, const Texts& values)
    {
        ResultModel model = listtest::CategoryPageModel(category_);
        for (size_t i = 0; i < values.size(); ++i) {
            std::vector<std::string> cells(static_cast<size_t>(category_.columnCount));
            cells[static_cast<size_t>(column)] = values[i];
            cells.back().append("#").append(std::to_string(i));
            AppendRows(model, {cells});
        }
        return model;
    }
};

TEST_F(StandardSort, NumericColumnAscendingAndDescending)
{
    ASSERT_GE(text_, 0);
    const Texts values{"abc", " 1,024 ", "-5", "", "3", "Zed", "-0.5", "999"};
    ResultModel model = ModelOf(numeric_, values);
    std::vector<int> order = SortStandardModel(model, page_, numeric_, true);
    EXPECT_EQ(ColumnTexts(model, numeric_), (Texts{"-5", "-0.5", "", "3", "999", " 1,024 ", "abc", "Zed"}));
    EXPECT_EQ(order, (std::vector<int>{2, 6, 3, 4, 7, 1, 0, 5}));

    order = SortStandardModel(model, page_, numeric_, false);
    EXPECT_EQ(ColumnTexts(model, numeric_), (Texts{"Zed", "abc", " 1,024 ", "999", "3", "", "-0.5", "-5"}));
    EXPECT_EQ(order, (std::vector<int>{7, 6, 5, 4, 3, 2, 1, 0}));
}

TEST_F(StandardSort, TextColumnIgnoresCaseAndKeepsEqualRowsInOrder)
{
    const Texts values{"b", "A", "10", "a", "B", "9"};
    ResultModel model = ModelOf(text_, values);
    SortStandardModel(model, page_, text_, true);
    // Texts throughout: "10" before "9"; rows equal but for case keep their order.
    EXPECT_EQ(ColumnTexts(model, text_), (Texts{"10", "9", "A", "a", "b", "B"}));
    EXPECT_EQ(CompareStandardRows(model.Row(2), model.Row(3), page_, text_, true), 0);

    SortStandardModel(model, page_, text_, false);
    EXPECT_EQ(ColumnTexts(model, text_), (Texts{"b", "B", "A", "a", "9", "10"}));
}

TEST_F(StandardSort, TagsRenumberedAndOldPositionsReturned)
{
    ResultModel model = ModelOf(text_, {"c", "a", "b"});
    // Whatever the tags held before, afterwards each names its row's position.
    model.SetItemData(0, 100);
    model.SetItemData(1, 7);
    model.SetItemData(2, -3);
    std::vector<int> order = SortStandardModel(model, page_, text_, true);
    EXPECT_EQ(order, (std::vector<int>{1, 2, 0}));
    for (int row = 0; row < model.RowCount(); ++row)
        EXPECT_EQ(model.ItemData(row), row);
    EXPECT_EQ(model.Cell(0, category_.columnCount - 1), "#1");
    EXPECT_EQ(NewRowPosition(order, 0), 2);   // the selected first row moved to the end
    EXPECT_EQ(NewRowPosition(order, 1), 0);
    EXPECT_EQ(NewRowPosition(order, 5), -1);

    order = SortStandardModel(model, page_, text_, true);   // sorted already: nothing moves
    EXPECT_EQ(order, (std::vector<int>{0, 1, 2}));
}

TEST_F(StandardSort, RootAndGroupPagesKeepTheirOrder)
{
    for (int page = kRootPage; page < kFirstCategoryPage; ++page) {
        ResultModel model = ModelWithColumns(1);
        AppendRows(model, {{"System"}, {"Service"}, {"Network Client"}, {"Logical Disk"}});
        EXPECT_EQ(SortStandardModel(model, page, 0, true), (std::vector<int>{0, 1, 2, 3})) << page;
        EXPECT_EQ(ColumnTexts(model, 0), (Texts{"System", "Service", "Network Client", "Logical Disk"}));
    }
    ResultModel empty = ModelWithColumns(2);
    EXPECT_TRUE(SortStandardModel(empty, page_, 0, true).empty());
}

TEST_F(StandardSort, CellsMissingFromShortRowsSortAsEmpty)
{
    ASSERT_FALSE(IsNumericSortColumn(page_, 2));
    ResultModel model = ModelWithColumns(3);
    AppendRows(model, {{"x", "5", "b"}, {"y"}, {"z", "-1", "a"}});
    SortStandardModel(model, page_, 2, true);
    EXPECT_EQ(ColumnTexts(model, 0), (Texts{"y", "z", "x"}));
}

TEST(IndividualSort, ObjectNumbersUnsignedOtherColumnsAsText)
{
    ResultModel model = ModelWithColumns(4);
    AppendRows(model, {{"10", "Name", "string", "b"},
                       {"9", "Caption", "string", "A"},
                       {"-1", "Size", "uint64", "c"},
                       {"2", "name", "string", "a"},
                       {"", "Status", "string", "B"}});
    std::vector<int> order = SortIndividualModel(model, 0, true);
    EXPECT_EQ(ColumnTexts(model, 0), (Texts{"", "2", "9", "10", "-1"}));
    EXPECT_EQ(order, (std::vector<int>{4, 3, 1, 0, 2}));
    for (int row = 0; row < model.RowCount(); ++row)
        EXPECT_EQ(model.ItemData(row), row);

    SortIndividualModel(model, 1, true);
    // "Name" and "name" compare equal: they stay in the order they arrived.
    EXPECT_EQ(ColumnTexts(model, 1), (Texts{"Caption", "Name", "name", "Size", "Status"}));

    SortIndividualModel(model, 0, false);
    EXPECT_EQ(ColumnTexts(model, 0), (Texts{"-1", "10", "9", "2", ""}));
    EXPECT_LT(CompareIndividualRows(model.Row(0), model.Row(1), 0, false), 0);
}

// Random cells of the kinds the lists hold.
std::string RandomCell(std::mt19937& random)
{
    static const char* const kCells[] = {
        "", " ", "0", "-0", "1,024", " 1024 ", "-5", "3.5", "3.50", "1.2.3", "abc", "ABC", "Abd",
        "12 MB", "-", ".", "4294967295", "-2147483648", "N/A", "zeta", "Zeta", "10", "9", "+7",
        "[x", "_x", "A_", "a[", "ab", "Ab", "ab\xE9", "AB\xC9", "\xE9t\xE9", "~"};
    return kCells[random() % std::size(kCells)];
}

// The sorts read each row's sort value once; they must order exactly as the row
// comparisons do.
TEST_F(StandardSort, SortsAgreeWithTheRowComparisons)
{
    std::mt19937 random(20240611);
    for (bool ascending : {true, false}) {
        for (int column : {numeric_, text_}) {
            Texts values(600);
            for (std::string& value : values)
                value = RandomCell(random);
            ResultModel model = ModelOf(column, values);
            std::vector<ResultRow> expected;
            for (int row = 0; row < model.RowCount(); ++row)
                expected.push_back(model.Row(row));
            std::stable_sort(expected.begin(), expected.end(), [&](const ResultRow& a, const ResultRow& b) {
                return CompareStandardRows(a, b, page_, column, ascending) < 0;
            });
            SortStandardModel(model, page_, column, ascending);
            for (int row = 0; row < model.RowCount(); ++row)
                ASSERT_EQ(model.Row(row).cells, expected[static_cast<size_t>(row)].cells) << row;
        }
    }
}

TEST(IndividualSort, SortsAgreeWithTheRowComparisons)
{
    std::mt19937 random(7);
    for (bool ascending : {true, false}) {
        for (int column : {0, 3}) {
            ResultModel model = ModelWithColumns(4);
            for (int i = 0; i < 500; ++i)
                AppendRows(model, {{RandomCell(random), "p", "t", RandomCell(random).append("#").append(std::to_string(i))}});
            std::vector<ResultRow> expected;
            for (int row = 0; row < model.RowCount(); ++row)
                expected.push_back(model.Row(row));
            std::stable_sort(expected.begin(), expected.end(), [&](const ResultRow& a, const ResultRow& b) {
                return CompareIndividualRows(a, b, column, ascending) < 0;
            });
            SortIndividualModel(model, column, ascending);
            for (int row = 0; row < model.RowCount(); ++row)
                ASSERT_EQ(model.Row(row).cells, expected[static_cast<size_t>(row)].cells) << row;
        }
    }
}

TEST(CompareNumericTexts, IsAConsistentOrder)
{
    std::mt19937 random(3);
    for (int i = 0; i < 2000; ++i) {
        std::string a = RandomCell(random), b = RandomCell(random), c = RandomCell(random);
        ASSERT_EQ(Sign(CompareNumericTexts(a, b)), -Sign(CompareNumericTexts(b, a))) << a << "|" << b;
        if (CompareNumericTexts(a, b) <= 0 && CompareNumericTexts(b, c) <= 0) {
            ASSERT_LE(CompareNumericTexts(a, c), 0) << a << "|" << b << "|" << c;
        }
    }
}

}  // namespace

TEST(IndividualSort, EqualKeysKeepTheOrderTheRowsArrivedInEitherDirection)
{
    // Two objects of three properties each; sorting by value first must not leave its
    // order behind inside an object when the list is sorted by object number next.
    ResultModel model = ModelWithColumns(4);
    AppendRows(model, {{"1", "Name", "string", "b"},   {"1", "Caption", "string", "c"},
                       {"1", "Size", "uint64", "a"},   {"2", "Name", "string", "z"},
                       {"2", "Caption", "string", "x"}, {"2", "Size", "uint64", "y"}});
    SortIndividualModel(model, 3, false);
    SortIndividualModel(model, 0, true);
    EXPECT_EQ(ColumnTexts(model, 1), (Texts{"Name", "Caption", "Size", "Name", "Caption", "Size"}));
    SortIndividualModel(model, 0, false);
    EXPECT_EQ(ColumnTexts(model, 0), (Texts{"2", "2", "2", "1", "1", "1"}));
    EXPECT_EQ(ColumnTexts(model, 1), (Texts{"Name", "Caption", "Size", "Name", "Caption", "Size"}));

    SortModel(model, kUnsorted, SortKeys::Text, true);
    EXPECT_EQ(ColumnTexts(model, 3), (Texts{"b", "c", "a", "z", "x", "y"})) << "unsorted: as they arrived";
}
