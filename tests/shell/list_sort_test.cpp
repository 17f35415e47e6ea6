// Sorting the result lists by clicks on their column headers (real mouse messages), and
// what the lists show afterwards: order, sort tags, selection, and the direction each
// standard page remembers.
#include "tests/shell/app_fixture.h"

#include "base/class_ids.h"
#include "resources/resource.h"
#include "standard/category_catalog.h"
#include "tests/shell/list_support.h"
#include "tests/support/fake_wmi.h"

using listui::Rows;
using listui::ClickColumnHeader;
using listui::ShownColumn;

namespace {

constexpr int kCdRomPage = 4;         // CD-ROM Drive: column 7 (SCSI Target ID) sorts as a number
constexpr int kIdeControllerPage = 5;
constexpr int kNumericColumn = 7;

std::vector<LPARAM> Positions(int count)
{
    std::vector<LPARAM> positions;
    for (int row = 0; row < count; ++row)
        positions.push_back(row);
    return positions;
}

// A CD-ROM row: the name in column 0, `text` in column `column`.
std::vector<std::string> CdRomRow(const std::string& name, int column, const std::string& text)
{
    std::vector<std::string> cells(9);
    cells[0] = name;
    cells[static_cast<size_t>(column)] = text;
    return cells;
}

// One object per name, each with the property Name.
FakeWmiScenario NamedObjects(int count)
{
    FakeWmiScenario scenario;
    for (int number = 1; number <= count; ++number)
        scenario.objects.push_back({{L"Name", FakeValue::Text(L"Object " + std::to_wstring(number))}});
    return scenario;
}

class ListSortTest : public AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        listui::GiveFrameARealSize(Frame().Handle());
    }

    ResultList& List() { return Standard().DisplayList(); }

    void ShowPage(int page)
    {
        Standard().SelectPageInTree(page);
        ASSERT_EQ(Standard().CurrentPage(), page);
    }
};

}  // namespace

TEST_F(ListSortTest, NumericColumnPutsNumbersInOrderAndTextsLast)
{
    listui::FillStorePage(View().Run().Stores, kCdRomPage, {CdRomRow("a", kNumericColumn, " 1,024 "), CdRomRow("b", kNumericColumn, "-5"),
                                       CdRomRow("c", kNumericColumn, "3"), CdRomRow("d", kNumericColumn, ""),
                                       CdRomRow("e", kNumericColumn, "abc"), CdRomRow("f", kNumericColumn, "12"),
                                       CdRomRow("g", kNumericColumn, "-0.5")});
    ShowPage(kCdRomPage);
    EXPECT_EQ(ShownColumn(List(), 0), (std::vector<std::string>{"a", "b", "c", "d", "e", "f", "g"}));
    EXPECT_EQ(listui::SelectedRows(List()), std::vector<int>{0});

    ClickColumnHeader(List(), kNumericColumn);   // another column: stays ascending
    EXPECT_EQ(ShownColumn(List(), kNumericColumn),
              (std::vector<std::string>{"-5", "-0.5", "", "3", "12", " 1,024 ", "abc"}));
    EXPECT_EQ(listui::Tags(List()), Positions(7)) << "tags are the new positions";
    EXPECT_EQ(listui::SelectedRows(List()), std::vector<int>{5}) << "the selection moves with its row";
    EXPECT_EQ(List().View().NextItem(-1, LVNI_FOCUSED), 5);

    ClickColumnHeader(List(), kNumericColumn);   // the same column again: descending
    EXPECT_EQ(ShownColumn(List(), kNumericColumn),
              (std::vector<std::string>{"abc", " 1,024 ", "12", "3", "", "-0.5", "-5"}));
    EXPECT_EQ(listui::Tags(List()), Positions(7));
    EXPECT_EQ(listui::SelectedRows(List()), std::vector<int>{1});
    EXPECT_EQ(Standard().PageSorts().Of(kCdRomPage).column, kNumericColumn);
    EXPECT_FALSE(Standard().PageSorts().Of(kCdRomPage).ascending);
}

TEST_F(ListSortTest, TextColumnIgnoresCase)
{
    listui::FillStorePage(View().Run().Stores, kCdRomPage, {CdRomRow("1", 1, "Zeta"), CdRomRow("2", 1, "beta"), CdRomRow("3", 1, "ALPHA"),
                                       CdRomRow("4", 1, "Beta"), CdRomRow("5", 1, "alpha"), CdRomRow("6", 1, "10"),
                                       CdRomRow("7", 1, "9")});
    ShowPage(kCdRomPage);
    ClickColumnHeader(List(), 1);
    std::vector<std::string> shown = ShownColumn(List(), 1);
    ASSERT_EQ(shown.size(), 7u);
    EXPECT_EQ(shown[0], "10") << "a text column compares texts, not numbers";
    EXPECT_EQ(shown[1], "9");
    EXPECT_TRUE(_stricmp(shown[2].c_str(), "alpha") == 0 && _stricmp(shown[3].c_str(), "alpha") == 0);
    EXPECT_TRUE(_stricmp(shown[4].c_str(), "beta") == 0 && _stricmp(shown[5].c_str(), "beta") == 0);
    EXPECT_EQ(shown[6], "Zeta");
    EXPECT_EQ(listui::Tags(List()), Positions(7));
}

TEST_F(ListSortTest, ClicksFlipOrStartAscendingAndEachPageRemembersIt)
{
    listui::FillStorePage(View().Run().Stores, kCdRomPage, {{"r1", "", "C", "x"}, {"r2", "", "A", "z"}, {"r3", "", "B", "y"}});
    listui::FillStorePage(View().Run().Stores, kIdeControllerPage, {{"second"}, {"first"}});
    ShowPage(kCdRomPage);

    ClickColumnHeader(List(), 2);
    EXPECT_EQ(ShownColumn(List(), 2), (std::vector<std::string>{"A", "B", "C"})) << "first click: ascending";
    ClickColumnHeader(List(), 2);
    EXPECT_EQ(ShownColumn(List(), 2), (std::vector<std::string>{"C", "B", "A"})) << "second click: descending";
    EXPECT_EQ(List().View().SortArrow(2), -1);
    ClickColumnHeader(List(), 3);
    EXPECT_EQ(ShownColumn(List(), 3), (std::vector<std::string>{"x", "y", "z"})) << "another column starts ascending";
    ClickColumnHeader(List(), 3);

    ShowPage(kIdeControllerPage);
    EXPECT_EQ(ShownColumn(List(), 0), (std::vector<std::string>{"second", "first"}))
        << "another page keeps its own state: the rows as they were read";
    EXPECT_EQ(List().View().SortArrow(0), 0);
    ShowPage(kCdRomPage);
    EXPECT_EQ(ShownColumn(List(), 3), (std::vector<std::string>{"z", "y", "x"}))
        << "the page comes back sorted descending by column 3";
    EXPECT_EQ(List().View().SortArrow(3), -1) << "the header says so";
    EXPECT_EQ(List().View().SortArrow(2), 0);
    EXPECT_EQ(listui::Tags(List()), Positions(3));
    EXPECT_EQ(Standard().PageSorts().Of(kCdRomPage).column, 3);
    EXPECT_FALSE(Standard().PageSorts().Of(kCdRomPage).ascending);
    EXPECT_EQ(Standard().PageSorts().Of(kIdeControllerPage).column, kUnsorted);
}

TEST_F(ListSortTest, RootAndGroupPagesNeverSort)
{
    const std::vector<std::string> root = ShownColumn(List(), 0);
    ASSERT_EQ(root.size(), 3u);
    ClickColumnHeader(List(), 0);
    ClickColumnHeader(List(), 0);
    ClickColumnHeader(List(), 0);
    EXPECT_EQ(ShownColumn(List(), 0), root);
    EXPECT_TRUE(Standard().PageSorts().Of(kRootPage).ascending);

    ShowPage(kHardwarePage);
    const std::vector<std::string> hardware = ShownColumn(List(), 0);
    ClickColumnHeader(List(), 0);
    EXPECT_EQ(ShownColumn(List(), 0), hardware);
    EXPECT_EQ(hardware.front(), "CD-ROM Drive");
    EXPECT_TRUE(Standard().PageSorts().Of(kHardwarePage).ascending);
    EXPECT_EQ(Standard().PageSorts().Of(kHardwarePage).column, kUnsorted);
    EXPECT_EQ(List().View().SortArrow(0), 0);
}

TEST_F(ListSortTest, IndividualListSortsObjectNumbersAsNumbersAndANewCheckStartsUnsorted)
{
    FakeWmiScenario scenario = NamedObjects(12);
    View().SetWmiConnector(FakeWmiConnector(&scenario));
    Frame().RunCommand(ID_VIEW_INDIVIDUAL);
    ChooseClass(101, 204, ClassId::Win32_Processor);
    RunCheckToCompletion();
    ResultList& list = Individual().ResultListControl();
    ASSERT_EQ(list.View().ItemCount(), 12);
    EXPECT_EQ(ShownColumn(list, 0).back(), "12");

    EXPECT_EQ(Individual().Sort().column, kUnsorted);
    ClickColumnHeader(list, 0);   // the first click: ascending
    std::vector<std::string> numbers = ShownColumn(list, 0);
    EXPECT_EQ(numbers[8], "9");
    EXPECT_EQ(numbers[9], "10") << "10 comes after 9";
    EXPECT_EQ(list.View().SortArrow(0), 1);
    ClickColumnHeader(list, 0);   // the column it is sorted by: descending
    EXPECT_EQ(ShownColumn(list, 0).front(), "12");
    EXPECT_EQ(ShownColumn(list, 0)[3], "9");
    EXPECT_EQ(list.View().SortArrow(0), -1);
    ClickColumnHeader(list, 0);
    EXPECT_EQ(listui::Tags(list), Positions(12));

    list.SelectRow(4);   // Object 5
    ClickColumnHeader(list, 3);   // the values, ascending, as texts
    std::vector<std::string> values = ShownColumn(list, 3);
    EXPECT_EQ(values[0], "Object 1");
    EXPECT_EQ(values[1], "Object 10");
    EXPECT_EQ(values[4], "Object 2");
    EXPECT_EQ(listui::SelectedRows(list), std::vector<int>{7}) << "Object 5 after 1, 10, 11, 12, 2, 3, 4";
    EXPECT_EQ(Individual().Sort().column, 3);
    EXPECT_TRUE(Individual().Sort().ascending);

    EXPECT_EQ(list.View().SortArrow(3), 1);
    EXPECT_EQ(list.View().SortArrow(0), 0);

    RunCheckToCompletion();
    EXPECT_EQ(ShownColumn(list, 3)[1], "Object 2") << "the next check shows its rows as they arrived";
    EXPECT_EQ(Individual().Sort().column, kUnsorted);
    EXPECT_EQ(list.View().SortArrow(3), 0);
    EXPECT_EQ(listui::SelectedRows(list), std::vector<int>{0}) << "only the first row of the new rows";
    EXPECT_EQ(listui::Tags(list), Positions(12));
    EXPECT_TRUE(Messages().empty());
    View().SetWmiConnector({});
}
