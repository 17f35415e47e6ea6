// Edit > Find: the modal Find dialog (template 351) opened by the frame's command and
// driven through its controls while it runs; what it selects and scrolls in the shown
// list, and the messages it shows.
#include "tests/shell/app_fixture.h"

#include "base/class_ids.h"
#include "base/narrow.h"
#include "resources/resource.h"
#include "standard/category_catalog.h"
#include "tests/shell/list_support.h"
#include "tests/support/fake_wmi.h"
#include "tests/support/japanese_run.h"
#include "ui/window.h"

using listui::Click;
using listui::SelectedRows;
using listui::SetFindText;

namespace {

constexpr int kCdRomPage = 4;

std::string ItemText(HWND dialog, int id)
{
    return ui::Window(GetDlgItem(dialog, id)).Text();
}

bool Checked(HWND dialog, int id)
{
    return IsDlgButtonChecked(dialog, id) == BST_CHECKED;
}

class ListFindTest : public AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        listui::GiveFrameARealSize(Frame().Handle());
    }

    ResultList& List() { return Standard().DisplayList(); }

    // Ten rows "Row 0".."Row 9"; CDROM stands in rows 0, 2, 5 and 9, in different columns.
    void ShowTenRows()
    {
        listui::Rows rows;
        for (int row = 0; row < 10; ++row)
            rows.push_back({"Row " + std::to_string(row), "IDE\\" + std::to_string(row), "", "Maker"});
        rows[0][3] = "CDROM maker";
        rows[2][1] = "IDE\\CDROM0";
        rows[5].resize(9);
        rows[5][6] = "CD-ROM / CDROM";
        rows[9][0] = "Row 9 CDROM";
        listui::FillStorePage(View().Run().Stores, kCdRomPage, rows);
        Standard().SelectPageInTree(kCdRomPage);
        ASSERT_EQ(List().View().ItemCount(), 10);
    }

    bool FindDialog(const std::function<void(HWND)>& script)
    {
        return listui::WithFindDialog([this] { Frame().RunCommand(ID_EDIT_FIND); }, script);
    }

    std::string NotFound(const std::string& text) { return "Cannot find \"" + text + "\"."; }
    std::string NotBelow(const std::string& text)
    {
        return "Cannot find \"" + text + "\" below the selected row.\n\nContinue from the top?";
    }
};

}  // namespace

TEST_F(ListFindTest, OpensEmptySearchingDownFromTheSelectedRowAndOffersToContinueFromTheTop)
{
    ShowTenRows();
    List().SelectRow(5);
    ASSERT_TRUE(View().QueryCommand(ID_EDIT_FIND).enabled);
    bool opened = FindDialog([&](HWND dialog) {
        EXPECT_EQ(ui::Window(dialog).Text(), "Find");
        EXPECT_EQ(ItemText(dialog, IDC_FIND_TEXT), "");
        EXPECT_TRUE(Checked(dialog, IDC_FIND_DOWN));
        EXPECT_FALSE(Checked(dialog, IDC_FIND_UP));
        EXPECT_FALSE(Checked(dialog, IDC_MATCH_CASE));
        EXPECT_EQ(LOWORD(SendMessageA(dialog, DM_GETDEFID, 0, 0)), IDC_FIND_NEXT) << "Enter finds the next";

        SetFindText(dialog, "  cdrom\t");
        Click(dialog, IDC_FIND_NEXT);
        EXPECT_EQ(SelectedRows(List()), std::vector<int>{5}) << "the selected row is searched first";
        EXPECT_EQ(List().View().NextItem(-1, LVNI_FOCUSED), 5);
        Click(dialog, IDC_FIND_NEXT);
        EXPECT_EQ(SelectedRows(List()), std::vector<int>{9});
        EXPECT_TRUE(Messages().empty());
        Click(dialog, IDC_FIND_NEXT);
        ASSERT_EQ(Messages().size(), 1u);
        EXPECT_EQ(Messages()[0].text, NotBelow("  cdrom\t")) << "quoted as typed";
        EXPECT_EQ(Messages()[0].flags & (MB_ICONMASK | MB_TYPEMASK), static_cast<UINT>(MB_ICONQUESTION | MB_YESNO));
        EXPECT_EQ(SelectedRows(List()), std::vector<int>{0}) << "Yes: continued from the top";
        AnswerMessagesWith(IDNO);
        for (int row : {2, 5, 9}) {
            Click(dialog, IDC_FIND_NEXT);
            EXPECT_EQ(SelectedRows(List()), std::vector<int>{row});
        }
        Click(dialog, IDC_FIND_NEXT);
        EXPECT_EQ(Messages().size(), 2u);
        EXPECT_EQ(SelectedRows(List()), std::vector<int>{9}) << "No: the search ends";
        EXPECT_TRUE(IsWindowVisible(dialog)) << "the dialog stays open";
    });
    EXPECT_TRUE(opened);
}

TEST_F(ListFindTest, SearchesUpFromTheSelectedRowDownToRowZero)
{
    ShowTenRows();
    List().SelectRow(5);
    EXPECT_TRUE(FindDialog([&](HWND dialog) {
        Click(dialog, IDC_FIND_UP);
        EXPECT_TRUE(Checked(dialog, IDC_FIND_UP));
        SetFindText(dialog, "cdrom");
        Click(dialog, IDC_FIND_NEXT);
        EXPECT_EQ(SelectedRows(List()), std::vector<int>{5});
        Click(dialog, IDC_FIND_NEXT);
        EXPECT_EQ(SelectedRows(List()), std::vector<int>{2}) << "after row 5 the search starts at row 4";
        Click(dialog, IDC_FIND_NEXT);
        EXPECT_EQ(SelectedRows(List()), std::vector<int>{0});
        EXPECT_TRUE(Messages().empty());
        Click(dialog, IDC_FIND_NEXT);
        ASSERT_EQ(Messages().size(), 1u);
        EXPECT_EQ(Messages()[0].text,
                  "Cannot find \"cdrom\" above the selected row.\n\nContinue from the bottom?");
        EXPECT_EQ(SelectedRows(List()), std::vector<int>{9}) << "continued from the bottom";
    }));
}

TEST_F(ListFindTest, UpOrMatchCaseWithNothingSelectedStartsAtTheLastRow)
{
    ShowTenRows();
    List().View().SetItemState(-1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    EXPECT_TRUE(FindDialog([&](HWND dialog) {
        Click(dialog, IDC_FIND_UP);
        SetFindText(dialog, "CDROM");
        Click(dialog, IDC_FIND_NEXT);
        EXPECT_EQ(SelectedRows(List()), std::vector<int>{9});
    }));

    List().View().SetItemState(-1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    EXPECT_TRUE(FindDialog([&](HWND dialog) {
        SetFindText(dialog, "CDROM");
        Click(dialog, IDC_FIND_UP);
        Click(dialog, IDC_FIND_DOWN);   // back to row 0
        Click(dialog, IDC_FIND_NEXT);
        EXPECT_EQ(SelectedRows(List()), std::vector<int>{0});
        List().View().SetItemState(-1, 0, LVIS_SELECTED | LVIS_FOCUSED);
        Click(dialog, IDC_FIND_UP);
        Click(dialog, IDC_MATCH_CASE);  // nothing selected, searching up: the last row
        Click(dialog, IDC_FIND_NEXT);
        EXPECT_EQ(SelectedRows(List()), std::vector<int>{9});
    }));
    EXPECT_TRUE(Messages().empty());
}

TEST_F(ListFindTest, BlankTextAsksForText)
{
    ShowTenRows();
    List().SelectRow(3);
    EXPECT_TRUE(FindDialog([&](HWND dialog) {
        Click(dialog, IDC_FIND_NEXT);
        SetFindText(dialog, "  \t ");
        Click(dialog, IDC_FIND_NEXT);
        ASSERT_EQ(Messages().size(), 2u);
        EXPECT_EQ(Messages()[1].text, "Please input Find Text.");
        EXPECT_EQ(Messages()[1].flags & MB_ICONMASK, static_cast<UINT>(MB_ICONEXCLAMATION));
        EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDC_FIND_TEXT)) << "the focus goes back to the text";
        EXPECT_EQ(SelectedRows(List()), std::vector<int>{3});
    }));
}

TEST_F(ListFindTest, MatchCaseComparesTheTextAsTyped)
{
    ShowTenRows();
    List().SelectRow(0);
    EXPECT_TRUE(FindDialog([&](HWND dialog) {
        Click(dialog, IDC_MATCH_CASE);
        EXPECT_TRUE(Checked(dialog, IDC_MATCH_CASE));
        SetFindText(dialog, "cdrom");
        Click(dialog, IDC_FIND_NEXT);
        ASSERT_EQ(Messages().size(), 1u);
        EXPECT_EQ(Messages()[0].text, NotFound("cdrom")) << "as typed, not in upper case";
        SetFindText(dialog, "Row 9");
        Click(dialog, IDC_FIND_NEXT);
        EXPECT_EQ(SelectedRows(List()), std::vector<int>{9});
    }));
}

TEST_F(ListFindTest, TheFoundCellIsScrolledIntoView)
{
    const int systemPage = CategoryByLabel("System")->page;   // 21 columns
    listui::Rows rows;
    for (int row = 0; row < 200; ++row)
        rows.push_back({"Row " + std::string(row < 10 ? "00" : row < 100 ? "0" : "") + std::to_string(row)});
    rows[150].resize(21);
    rows[150][15] = "needle";
    listui::FillStorePage(View().Run().Stores, systemPage, rows);
    Standard().SelectPageInTree(systemPage);
    const ui::ListView& view = List().View();
    ASSERT_TRUE(view.HasHorizontalScrollBar()) << "21 columns are wider than the list";
    ASSERT_EQ(view.SendMsg(LVM_GETTOPINDEX), 0);
    ASSERT_EQ(view.HorizontalScrollPos(), 0);

    EXPECT_TRUE(FindDialog([&](HWND dialog) {
        SetFindText(dialog, "NEEDLE");
        Click(dialog, IDC_FIND_NEXT);
    }));
    EXPECT_EQ(SelectedRows(List()), std::vector<int>{150});
    int top = static_cast<int>(view.SendMsg(LVM_GETTOPINDEX));
    int perPage = static_cast<int>(view.SendMsg(LVM_GETCOUNTPERPAGE));
    EXPECT_LE(top, 150);
    EXPECT_GT(top + perPage, 150) << "the row is completely visible";

    RECT header{};
    Header_GetItemRect(view.Header(), 15, &header);
    SCROLLINFO bar{sizeof bar, SIF_ALL};
    GetScrollInfo(view.Handle(), SB_HORZ, &bar);
    int furthest = bar.nMax - static_cast<int>(bar.nPage) + 1;
    EXPECT_EQ(view.HorizontalScrollPos(), header.left < furthest ? header.left : furthest)
        << "column 15 comes to the left edge, as far as the list scrolls";
    EXPECT_GT(view.HorizontalScrollPos(), 0);
}

TEST_F(ListFindTest, FindsInTheIndividualListAndIsDisabledWithoutRows)
{
    Frame().RunCommand(ID_VIEW_INDIVIDUAL);
    EXPECT_FALSE(View().QueryCommand(ID_EDIT_FIND).enabled);
    EXPECT_FALSE(FindDialog([](HWND) {})) << "Ctrl+F with an empty list opens nothing";

    FakeWmiScenario scenario;
    for (int number = 1; number <= 3; ++number)
        scenario.objects.push_back({{L"Name", FakeValue::Text(L"cpu " + std::to_wstring(number))}});
    View().SetWmiConnector(FakeWmiConnector(&scenario));
    ChooseClass(101, 204, ClassId::Win32_Processor);
    RunCheckToCompletion();
    View().SetWmiConnector({});
    ResultList& list = Individual().ResultListControl();
    ASSERT_EQ(list.View().ItemCount(), 3);
    EXPECT_TRUE(View().QueryCommand(ID_EDIT_FIND).enabled);
    EXPECT_TRUE(FindDialog([&](HWND dialog) {
        SetFindText(dialog, "CPU 3");
        Click(dialog, IDC_FIND_NEXT);
        EXPECT_EQ(SelectedRows(list), std::vector<int>{2});
        SetFindText(dialog, "cpu 4");
        Click(dialog, IDC_FIND_NEXT);
    }));
    ASSERT_EQ(Messages().size(), 2u);
    EXPECT_EQ(Messages()[0].text, NotBelow("cpu 4"));
    EXPECT_EQ(Messages()[1].text, NotFound("cpu 4")) << "nor above it";
    EXPECT_EQ(Messages()[1].flags & MB_ICONMASK, static_cast<UINT>(MB_ICONINFORMATION));
}

// Under the Japanese locale: full-width letters typed in lower case find their
// upper-case form through the dialog's edit field, and the not-found question quotes the
// text as typed.
TEST_F(ListFindTest, JapaneseFullWidthLettersIgnoreCase)
{
    REQUIRE_JAPANESE_LOCALE();
    const std::string drive = ToNarrow(L"\uFF23\uFF24\uFF32\uFF2F\uFF2D\u30C9\u30E9\u30A4\u30D6");   // ＣＤＲＯＭドライブ
    listui::FillStorePage(View().Run().Stores, kCdRomPage, {{"a"}, {"b", drive}, {"c"}});
    Standard().SelectPageInTree(kCdRomPage);
    List().SelectRow(0);
    EXPECT_TRUE(FindDialog([&](HWND dialog) {
        SetFindText(dialog, ToNarrow(L"\uFF43\uFF44\uFF52\uFF4F\uFF4D"));   // ｃｄｒｏｍ
        EXPECT_EQ(ItemText(dialog, IDC_FIND_TEXT), ToNarrow(L"\uFF43\uFF44\uFF52\uFF4F\uFF4D"));
        Click(dialog, IDC_FIND_NEXT);
        EXPECT_EQ(SelectedRows(List()), std::vector<int>{1});
        SetFindText(dialog, ToNarrow(L"\uFF58\u30C9"));   // ｘド
        Click(dialog, IDC_FIND_NEXT);
    }));
    ASSERT_EQ(Messages().size(), 2u);
    EXPECT_EQ(Messages()[0].text, NotBelow(ToNarrow(L"\uFF58\u30C9")));
}
