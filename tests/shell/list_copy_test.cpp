// Selecting rows, right clicks, the context menus, Copy, Copy Cell, Copy Line and Paste
// through the windows: real mouse and key messages, the real menus 350 and 354, the
// real clipboard.
#include "tests/shell/app_fixture.h"

#include "base/class_ids.h"
#include "listtools/clipboard.h"
#include "resources/resource.h"
#include "standard/category_catalog.h"
#include "tests/shell/list_support.h"
#include "tests/support/fake_wmi.h"
#include "ui/save_dialog.h"
#include "ui/window.h"

using listui::ClipboardText;
using ::ClipboardAnsiText;
using listui::MenuSeen;
using listui::PutClipboardText;

namespace {

constexpr int kCdRomPage = 4;
constexpr int kCopyDowns = 1;       // the first item of the menu
constexpr int kCopyCellDowns = 2;   // the second
constexpr int kCopyLineDowns = 3;   // the third
const std::vector<UINT> kListMenu{ID_EDIT_COPY, ID_COPY_CELL, ID_COPY_LINE, 0, ID_EDIT_SELECT_ALL, 0,
                                  ID_EDIT_FIND, ID_FILE_SAVE_CSV};
const std::string kCdRomHeader =
    "Name\tDevice ID\tDrive\tManufacturer\tAvailability\tDescription\tMedia Type\tSCSI Target ID\tSystem Name\r\n";
const std::string kCdRomA = "Drive A\tIDE\\CD0\tD:\tMaker \"One\"\t\t\t\t\t\r\n";
const std::string kCdRomB = "Drive B\tIDE\\CD1\t\tMaker Two\t\tDesc B\t\t\t\r\n";

class ListCopyTest : public AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        listui::GiveFrameARealSize(Frame().Handle());
    }
    void TearDown() override
    {
        listui::StopAnsweringMenus();
        AppFixture::TearDown();
    }

    ResultList& List() { return Standard().DisplayList(); }

    void ShowCdRomRows()
    {
        listui::FillStorePage(View().Run().Stores, kCdRomPage, {{"Drive A", "IDE\\CD0", "D:", "Maker \"One\""},
                                           {"Drive B", "IDE\\CD1", "", "Maker Two", "", "Desc B"}});
        Standard().SelectPageInTree(kCdRomPage);
        ASSERT_EQ(List().View().ItemCount(), 2);
    }

    // Right-clicks the cell and chooses the menu item `downs` steps down.
    MenuSeen RightClickAndChoose(ResultList& list, POINT point, int downs)
    {
        MenuSeen seen;
        listui::AnswerNextMenu(downs, &seen);
        listui::RightClickAt(list, point);
        listui::StopAnsweringMenus();
        return seen;
    }

    void RunIndividualCheck(FakeWmiScenario& scenario)
    {
        View().SetWmiConnector(FakeWmiConnector(&scenario));
        Frame().RunCommand(ID_VIEW_INDIVIDUAL);
        ChooseClass(101, 204, ClassId::Win32_Processor);
        RunCheckToCompletion();
        View().SetWmiConnector({});
    }
};

FakeWmiScenario TwoProcessors()
{
    FakeWmiScenario scenario;
    scenario.objects.push_back({{L"Name", FakeValue::Text(L"CPU zero")}, {L"Caption", FakeValue::Text(L"x64 Family")}});
    scenario.objects.push_back({{L"Name", FakeValue::Text(L"CPU one")}});
    return scenario;
}

}  // namespace

TEST_F(ListCopyTest, CopyCellBeforeAnyRightClickCopiesNothing)
{
    ASSERT_TRUE(PutClipboardText("kept"));
    EXPECT_EQ(List().ClickedCellText(), "");
    EXPECT_EQ(List().CopyClickedCell(), 0);
    EXPECT_EQ(Individual().ResultListControl().CopyClickedCell(), 0);
    EXPECT_EQ(ClipboardText(), "kept");
}

TEST_F(ListCopyTest, RightClickOnACellOpensMenu350AndCopyCellTakesThatCell)
{
    ShowCdRomRows();
    ASSERT_TRUE(PutClipboardText("kept"));
    MenuSeen seen = RightClickAndChoose(List(), listui::CellCentre(List(), 0, 3), kCopyCellDowns);
    ASSERT_TRUE(seen.opened);
    EXPECT_EQ(seen.texts[1], "Copy C&ell");
    EXPECT_EQ(seen.texts[2], "Copy &Line");
    EXPECT_EQ(seen.ids, kListMenu);
    EXPECT_EQ(List().ClickedCellText(), "Maker \"One\"");
    EXPECT_EQ(ClipboardText(), "Maker \"One\"");

    // An empty cell is remembered, but copying it leaves the clipboard alone.
    ASSERT_TRUE(PutClipboardText("kept"));
    seen = RightClickAndChoose(List(), listui::CellCentre(List(), 1, 2), kCopyCellDowns);
    EXPECT_TRUE(seen.opened);
    EXPECT_EQ(List().ClickedCellText(), "");
    EXPECT_EQ(ClipboardText(), "kept");
}

TEST_F(ListCopyTest, RightClickBelowTheLastRowOpensNoMenu)
{
    ShowCdRomRows();
    RightClickAndChoose(List(), listui::CellCentre(List(), 1, 1), kCopyCellDowns);
    ASSERT_EQ(List().ClickedCellText(), "IDE\\CD1");

    ASSERT_TRUE(PutClipboardText("kept"));
    MenuSeen seen = RightClickAndChoose(List(), listui::BelowLastRow(List()), kCopyCellDowns);
    EXPECT_FALSE(seen.opened);
    EXPECT_EQ(List().ClickedCellText(), "IDE\\CD1") << "the last clicked cell stays";
    EXPECT_EQ(ClipboardText(), "kept");
}

TEST_F(ListCopyTest, CopyLineFromTheMenuTakesTheRowClickedOn)
{
    ShowCdRomRows();
    ASSERT_EQ(List().SelectedRow(), 0);
    MenuSeen seen = RightClickAndChoose(List(), listui::CellCentre(List(), 1, 0), kCopyLineDowns);
    ASSERT_TRUE(seen.opened);
    EXPECT_EQ(List().SelectedRow(), 1) << "the right click selects its row";
    EXPECT_EQ(ClipboardText(), "Drive B IDE\\CD1  Maker Two  Desc B   ");
}

TEST_F(ListCopyTest, CopyLineOfASystemRowJoinsItsTwentyOneCells)
{
    std::vector<std::string> cells;
    std::string expected;
    for (int column = 0; column < 21; ++column) {
        cells.push_back(column == 4 ? "" : "v" + std::to_string(column));
        expected += (column > 0 ? " " : "") + cells.back();
    }
    const int systemPage = CategoryByLabel("System")->page;   // Win32_OperatingSystem
    listui::FillStorePage(View().Run().Stores, systemPage, {{"other"}, cells});
    Standard().SelectPageInTree(systemPage);
    ASSERT_EQ(List().View().ColumnCount(), 21);
    listui::ClickColumnHeader(List(), 1);   // sorting moves rows, never columns
    ASSERT_EQ(List().View().ItemText(1, 0), "v0");

    ASSERT_TRUE(PutClipboardText("kept"));
    RightClickAndChoose(List(), listui::CellCentre(List(), 1, 0), kCopyLineDowns);
    EXPECT_EQ(ClipboardText(), expected);
    EXPECT_NE(expected.find("v3  v5"), std::string::npos);
}

TEST_F(ListCopyTest, CopyLineWithoutASelectionCopiesNothing)
{
    ShowCdRomRows();
    List().View().SetItemState(-1, 0, LVIS_SELECTED);
    ASSERT_TRUE(PutClipboardText("kept"));
    Frame().RunCommand(ID_EDIT_COPY);
    EXPECT_EQ(ClipboardText(), "kept");
}

TEST_F(ListCopyTest, CopyLineAndCopyCellInTheIndividualList)
{
    FakeWmiScenario scenario = TwoProcessors();
    Frame().RunCommand(ID_VIEW_INDIVIDUAL);
    EXPECT_FALSE(View().QueryCommand(ID_EDIT_COPY).enabled) << "no rows yet";
    ASSERT_TRUE(PutClipboardText("kept"));
    Frame().RunCommand(ID_EDIT_COPY);
    EXPECT_EQ(ClipboardText(), "kept");

    RunIndividualCheck(scenario);
    ResultList& list = Individual().ResultListControl();
    ASSERT_EQ(list.View().ItemCount(), 3);
    EXPECT_TRUE(View().QueryCommand(ID_EDIT_COPY).enabled);
    Frame().RunCommand(ID_EDIT_COPY);
    EXPECT_EQ(ClipboardText(), "Group\tName\tType\tValue\r\n1\tCaption\t" + list.Model().Cell(0, 2) + "\tx64 Family\r\n");

    MenuSeen seen = RightClickAndChoose(list, listui::CellCentre(list, 2, 3), kCopyCellDowns);
    ASSERT_TRUE(seen.opened);
    EXPECT_EQ(seen.ids, kListMenu);
    EXPECT_EQ(ClipboardText(), "CPU one");
    seen = RightClickAndChoose(list, listui::CellCentre(list, 1, 1), kCopyLineDowns);
    EXPECT_EQ(ClipboardText(), "1 Name " + list.Model().Cell(1, 2) + " CPU zero");
    seen = RightClickAndChoose(list, listui::BelowLastRow(list), kCopyCellDowns);
    EXPECT_FALSE(seen.opened);
    EXPECT_EQ(list.ClickedCellText(), "Name");
}

TEST_F(ListCopyTest, ClicksWithShiftAndCtrlAndShiftArrowsSelectRowsThatCopyAsATable)
{
    listui::FillStorePage(View().Run().Stores, kCdRomPage,
                          {{"Drive A", "IDE\\CD0", "D:", "Maker \"One\""},
                           {"Drive B", "IDE\\CD1", "", "Maker Two", "", "Desc B"},
                           {"Drive C", "tab\there", "", "line\r\nbreak", "", "\"quoted\" start"},
                           {"\u30c9\u30e9\u30a4\u30d6"}});   // ドライブ
    Standard().SelectPageInTree(kCdRomPage);
    ASSERT_EQ(List().View().ItemCount(), 4);

    listui::ClickAt(List(), listui::CellCentre(List(), 0, 0), 0);
    listui::ClickAt(List(), listui::CellCentre(List(), 2, 0), MK_SHIFT);
    EXPECT_EQ(List().SelectedRows(), (std::vector<int>{0, 1, 2}));
    listui::ClickAt(List(), listui::CellCentre(List(), 1, 0), MK_CONTROL);
    EXPECT_EQ(List().SelectedRows(), (std::vector<int>{0, 2}));

    ASSERT_TRUE(PutClipboardText("kept"));
    PressKey(List().Handle(), 'C');   // Ctrl is not held: a letter, no copy
    EXPECT_EQ(ClipboardText(), "kept");
    Frame().RunCommand(ID_EDIT_COPY);
    const std::string rowC = "Drive C\t\"tab\there\"\t\t\"line\r\nbreak\"\t\t\"\"\"quoted\"\" start\"\t\t\t\r\n";
    EXPECT_EQ(ClipboardText(), kCdRomHeader + kCdRomA + rowC);
    EXPECT_EQ(ClipboardAnsiText(), kCdRomHeader + kCdRomA + rowC);

    listui::ClickAt(List(), listui::CellCentre(List(), 2, 0), 0);
    PressKey(List().Handle(), VK_DOWN, true);
    EXPECT_EQ(List().SelectedRows(), (std::vector<int>{2, 3}));
    Frame().RunCommand(ID_EDIT_COPY);
    const std::string rowD = "\u30c9\u30e9\u30a4\u30d6\t\t\t\t\t\t\t\t\r\n";
    EXPECT_EQ(ClipboardText(), kCdRomHeader + rowC + rowD) << "Unicode keeps every character";
    EXPECT_EQ(ClipboardAnsiText(), kCdRomHeader + rowC + "????\t\t\t\t\t\t\t\t\r\n");

    // A sort moves the selection with its rows; Copy follows the order on screen.
    listui::ClickColumnHeader(List(), 0);
    listui::ClickColumnHeader(List(), 0);   // descending
    EXPECT_EQ(List().SelectedRows(), (std::vector<int>{0, 1}));
    Frame().RunCommand(ID_EDIT_COPY);
    EXPECT_EQ(ClipboardText(), kCdRomHeader + rowD + rowC);
}

TEST_F(ListCopyTest, SelectAllFromTheEditMenuAndTheKeyboardContextMenu)
{
    ShowCdRomRows();
    List().SelectRow(1);
    EXPECT_TRUE(View().QueryCommand(ID_EDIT_SELECT_ALL).enabled);
    Frame().RunCommand(ID_EDIT_SELECT_ALL);
    EXPECT_EQ(List().SelectedRows(), (std::vector<int>{0, 1}));
    Frame().RunCommand(ID_EDIT_COPY);
    EXPECT_EQ(ClipboardText(), kCdRomHeader + kCdRomA + kCdRomB);

    // The Menu key opens the list's menu at the focused row, which counts as clicked.
    List().SelectRow(1);
    MenuSeen seen;
    listui::AnswerNextMenu(kCopyCellDowns, &seen);
    PressKey(List().Handle(), VK_APPS);
    listui::StopAnsweringMenus();
    ASSERT_TRUE(seen.opened);
    EXPECT_EQ(seen.ids, kListMenu);
    EXPECT_EQ(ClipboardText(), "Drive B");

    listui::AnswerNextMenu(4, &seen);   // Select All
    PressKey(List().Handle(), VK_F10, true);   // Shift+F10
    listui::StopAnsweringMenus();
    EXPECT_EQ(List().SelectedRows(), (std::vector<int>{0, 1}));

    // Find and Save go to the window's commands.
    std::vector<std::string> asked;
    ui::SetSaveFileHandler([&](HWND, ui::SaveFileRequest& request, std::string&) {
        asked.push_back(request.fileName);
        return false;
    });
    RightClickAndChoose(List(), listui::CellCentre(List(), 0, 0), 6);
    ui::SetSaveFileHandler(nullptr);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_NE(asked[0].find(".csv"), std::string::npos) << asked[0];
}

TEST_F(ListCopyTest, TheCategoryTreeHasAContextMenuThatSelectsTheCategory)
{
    ShowCdRomRows();
    Standard().SelectPageInTree(0);
    HWND tree = Standard().Tree().Handle();
    RECT item{};
    *reinterpret_cast<HTREEITEM*>(&item) = Standard().PageItem(kCdRomPage);
    Standard().Tree().SendMsg(TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(Standard().PageItem(kCdRomPage)));
    ASSERT_TRUE(SendMessageA(tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&item)));
    POINT point{(item.left + item.right) / 2, (item.top + item.bottom) / 2};
    ClientToScreen(tree, &point);
    SetCursorPos(point.x, point.y);

    MenuSeen seen;
    listui::AnswerNextMenu(0, &seen);
    NMHDR click{tree, static_cast<UINT_PTR>(GetDlgCtrlID(tree)), static_cast<UINT>(NM_RCLICK)};
    SendMessageA(GetParent(tree), WM_NOTIFY, click.idFrom, reinterpret_cast<LPARAM>(&click));
    listui::StopAnsweringMenus();
    ASSERT_TRUE(seen.opened);
    EXPECT_EQ(seen.ids,
              (std::vector<UINT>{ID_CHECK_RUN, 0, ID_FILE_SAVE_TEXT, ID_FILE_SAVE_CSV, 0, ID_STANDARD_SHEET}));
    EXPECT_EQ(Standard().CurrentPage(), kCdRomPage);
    EXPECT_EQ(List().View().ItemCount(), 2);
}

TEST_F(ListCopyTest, PasteOnlyIntoTheNameFieldAndOnlyText)
{
    ShowCdRomRows();
    ASSERT_TRUE(PutClipboardText("pc01"));
    ui::Window name(View().NameField());
    name.SetFocus();
    ASSERT_EQ(GetFocus(), View().NameField());
    EXPECT_TRUE(View().QueryCommand(ID_EDIT_PASTE).enabled);
    Frame().RunCommand(ID_EDIT_PASTE);
    EXPECT_EQ(name.Text(), "pc01");

    List().View().SetFocus();
    EXPECT_FALSE(View().QueryCommand(ID_EDIT_PASTE).enabled) << "the focus is in a result list";
    Frame().RunCommand(ID_EDIT_PASTE);
    EXPECT_EQ(name.Text(), "pc01");

    Frame().RunCommand(ID_VIEW_INDIVIDUAL);
    Individual().ResultListControl().View().SetFocus();
    EXPECT_FALSE(View().QueryCommand(ID_EDIT_PASTE).enabled);

    name.SetFocus();
    ASSERT_TRUE(listui::PutClipboardNonText());
    EXPECT_FALSE(View().QueryCommand(ID_EDIT_PASTE).enabled) << "no text on the clipboard";
    Frame().RunCommand(ID_EDIT_PASTE);
    EXPECT_EQ(name.Text(), "pc01");
}
