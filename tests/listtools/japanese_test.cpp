// Find, sort and copy under the Japanese user interface (ANSI code page 932), where
// cells hold Japanese text whose bytes must never match or sort as ASCII letters. These tests
// run in the Japanese pass of the test program (and fail there without the Japanese
// locale) and are skipped elsewhere.
#include <gtest/gtest.h>

#include "base/narrow.h"
#include "individual/individual_sort.h"
#include "listtools/clipboard.h"
#include "listtools/find_text.h"
#include "listtools/sort_compare.h"
#include "standard/page_sort.h"
#include "tests/listtools/clipboard_support.h"
#include "tests/listtools/list_test_util.h"
#include "tests/support/japanese_run.h"
#include "ui/clipboard_session.h"

#include <windows.h>

#include <algorithm>

namespace {

std::string Utf8(const wchar_t* text)
{
    return ToNarrow(text);
}

class JapaneseLists : public testing::Test {
protected:
    void SetUp() override
    {
        REQUIRE_JAPANESE_LOCALE();
        SetTextLanguage(0);
    }
};

TEST_F(JapaneseLists, FullWidthLettersMatchRegardlessOfCase)
{
    EXPECT_EQ(UpperCaseForFind(Utf8(L"abcｄｅｆ ｱｲｳ αβ ドライブ")), Utf8(L"ABCＤＥＦ ｱｲｳ ΑΒ ドライブ"));

    ResultModel model = listtest::ModelWithColumns(2);
    listtest::AppendRows(model, {{Utf8(L"ディスク"), Utf8(L"ＳＣＳＩ ディスク")},
                                 {Utf8(L"光学ドライブ"), Utf8(L"ＣＤＲＯＭ ドライブ")}});
    std::optional<FoundCell> found = FindInModel(model, Utf8(L"ｃｄｒｏｍ"), false, true, 0);
    ASSERT_TRUE(found);
    EXPECT_EQ(found->row, 1);
    EXPECT_EQ(found->column, 1);
    EXPECT_FALSE(FindInModel(model, Utf8(L"ｃｄｒｏｍ"), true, true, 0));
    EXPECT_TRUE(FindInModel(model, Utf8(L"ｃｄｒｏｍ"), false, false, 1));

    // The not-found message: the Japanese string 110 and the text as typed.
    int position = 0;
    FindNextResult result = FindNext(model, Utf8(L"  ｘｙｚ "), false, true, position);
    EXPECT_EQ(result.outcome, FindNextResult::Outcome::NotFound);
    EXPECT_EQ(result.message, Utf8(L"「  ｘｙｚ 」が見つかりません。"));
    result = FindNext(model, "   ", false, true, position);
    EXPECT_EQ(result.message, Utf8(L"検索する文字列を入力してください。"));
}

TEST_F(JapaneseLists, SecondBytesAreNeitherCasedNorMatched)
{
    // "ド" is 83 68 and "Ｂ" is 82 61: their second bytes are "h" and "a".
    EXPECT_EQ(UpperCaseForFind(Utf8(L"ドＢ")), Utf8(L"ドＢ"));
    ResultModel model = listtest::ModelWithColumns(1);
    listtest::AppendRows(model, {{Utf8(L"ドＢ")}, {Utf8(L"ソフト")}});
    for (bool matchCase : {false, true}) {
        EXPECT_FALSE(FindInModel(model, "h", matchCase, true, 0)) << matchCase;
        EXPECT_FALSE(FindInModel(model, "a", matchCase, true, 0)) << matchCase;
        EXPECT_FALSE(FindInModel(model, "\\", matchCase, true, 0)) << matchCase;   // "ソ" is 83 5C
    }
    EXPECT_EQ(FindMultiByte(Utf8(L"ソ\\ソ"), "\\"), 3u);
    EXPECT_EQ(FindMultiByte(Utf8(L"ドド"), Utf8(L"ド")), 0u);
    // A match that would start on a second byte is skipped; a later one is found.
    EXPECT_EQ(FindMultiByte(Utf8(L"ア") + "A", "A"), 3u);
}

TEST_F(JapaneseLists, SortsJapaneseCells)
{
    ResultModel model = listtest::ModelWithColumns(4);
    listtest::AppendRows(model, {{"10", Utf8(L"名前"), "string", Utf8(L"ｂ")},
                                 {"9", "Caption", "string", Utf8(L"ソフト")},
                                 {"-1", "Size", "uint64", "abc"}});
    SortIndividualModel(model, 0, true);
    EXPECT_EQ(listtest::ColumnTexts(model, 0), (std::vector<std::string>{"9", "10", "-1"}));
    SortIndividualModel(model, 1, true);
    EXPECT_EQ(listtest::ColumnTexts(model, 1), (std::vector<std::string>{"Caption", "Size", Utf8(L"名前")}));
    EXPECT_EQ(CompareCellTexts(Utf8(L"ソフトabc"), Utf8(L"ソフトABC")), 0);
}

// The sorts read each cell once; with Japanese cells among ASCII ones they must still
// order exactly as the row comparisons do.
TEST_F(JapaneseLists, SortsAgreeWithTheRowComparisons)
{
    const std::string cells[] = {"", "abc", "ABC", "_x", "[x", "Zeta", "10", "-5", Utf8(L"ソフト"),
                                 Utf8(L"ｓｏｆｔ"), Utf8(L"ＳＯＦＴ"), Utf8(L"ｱｲｳ"), Utf8(L"ドライブ"),
                                 Utf8(L"abcド"), Utf8(L"ABCド"), Utf8(L"名前")};
    const StandardCategory& category = listtest::CategoryWithNumericColumn();
    uint32_t seed = 11;
    for (int column : {category.numericSortColumns[0], listtest::TextColumnOf(category)}) {
        ResultModel model = listtest::CategoryPageModel(category);
        for (int i = 0; i < 400; ++i) {
            std::vector<std::string> row(static_cast<size_t>(category.columnCount));
            seed = seed * 1103515245 + 12345;
            row[static_cast<size_t>(column)] = cells[(seed >> 16) % std::size(cells)];
            row.back().append(std::to_string(i));
            listtest::AppendRows(model, {row});
        }
        std::vector<ResultRow> expected;
        for (int row = 0; row < model.RowCount(); ++row)
            expected.push_back(model.Row(row));
        std::stable_sort(expected.begin(), expected.end(), [&](const ResultRow& a, const ResultRow& b) {
            return CompareStandardRows(a, b, category.page, column, true) < 0;
        });
        SortStandardModel(model, category.page, column, true);
        for (int row = 0; row < model.RowCount(); ++row)
            ASSERT_EQ(model.Row(row).cells, expected[static_cast<size_t>(row)].cells) << row;
    }
}

TEST_F(JapaneseLists, CopiesJapaneseTextToTheClipboard)
{
    listtest::ClipboardTestLock lock;
    ResultModel model = listtest::ModelWithColumns(3);
    listtest::AppendRows(model, {{"3", Utf8(L"表示名"), Utf8(L"日本語 の 値")}});
    std::wstring unicode;
    listtest::CopyOutcome outcome = listtest::CopyAndReadBack("before", [&] {
        int result = CopyLineOfRow(model, 0);
        ui::ClipboardSession clipboard;
        if (HANDLE wide = clipboard.IsOpen() ? GetClipboardData(CF_UNICODETEXT) : nullptr) {
            unicode = static_cast<const wchar_t*>(GlobalLock(wide));
            GlobalUnlock(wide);
        }
        return result;
    });
    EXPECT_EQ(outcome.result, 1);
    EXPECT_EQ(outcome.clipboard, Utf8(L"3 表示名 日本語 の 値"));
    EXPECT_EQ(unicode, L"3 表示名 日本語 の 値");
    EXPECT_EQ(ClipboardAnsiText(), ToNarrow(L"3 表示名 日本語 の 値", 932));   // for programs that read CF_TEXT
}

}  // namespace
