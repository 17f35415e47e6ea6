// Right clicks, the context menu, Copy Cell, Copy Line and Paste through the windows:
// real mouse messages, the real menu 350, the real clipboard.
#include "tests/shell/app_fixture.h"

#include "base/class_ids.h"
#include "listtools/clipboard.h"
#include "resources/resource.h"
#include "standard/category_catalog.h"
#include "tests/shell/list_support.h"
#include "tests/support/fake_wmi.h"
#include "ui/window.h"

using listui::ClipboardText;
using listui::MenuSeen;
using listui::PutClipboardText;

namespace {

constexpr int kCdRomPage = 4;
constexpr int kCopyCellDowns = 1;   // the first item of the menu
constexpr int kCopyLineDowns = 2;   // the second

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
    EXPECT_EQ(seen.texts, (std::vector<std::string>{"Copy Cell", "Copy Line"}));
    EXPECT_EQ(seen.ids, (std::vector<UINT>{ID_COPY_CELL, ID_COPY_LINE}));
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
    List().SelectRow(1);

    ASSERT_TRUE(PutClipboardText("kept"));
    EXPECT_TRUE(View().QueryCommand(ID_EDIT_COPY_LINE).enabled);
    Frame().RunCommand(ID_EDIT_COPY_LINE);
    EXPECT_EQ(ClipboardText(), expected);
    EXPECT_NE(expected.find("v3  v5"), std::string::npos);
}

TEST_F(ListCopyTest, CopyLineWithoutASelectionCopiesNothing)
{
    ShowCdRomRows();
    List().View().SetItemState(-1, 0, LVIS_SELECTED);
    ASSERT_TRUE(PutClipboardText("kept"));
    Frame().RunCommand(ID_EDIT_COPY_LINE);
    EXPECT_EQ(ClipboardText(), "kept");
}

TEST_F(ListCopyTest, CopyLineAndCopyCellInTheIndividualList)
{
    FakeWmiScenario scenario = TwoProcessors();
    Frame().RunCommand(ID_VIEW_INDIVIDUAL);
    EXPECT_FALSE(View().QueryCommand(ID_EDIT_COPY_LINE).enabled) << "no rows yet";
    ASSERT_TRUE(PutClipboardText("kept"));
    Frame().RunCommand(ID_EDIT_COPY_LINE);
    EXPECT_EQ(ClipboardText(), "kept");

    RunIndividualCheck(scenario);
    ResultList& list = Individual().ResultListControl();
    ASSERT_EQ(list.View().ItemCount(), 3);
    EXPECT_TRUE(View().QueryCommand(ID_EDIT_COPY_LINE).enabled);
    Frame().RunCommand(ID_EDIT_COPY_LINE);
    EXPECT_EQ(ClipboardText(), "1 Caption " + list.Model().Cell(0, 2) + " x64 Family");

    MenuSeen seen = RightClickAndChoose(list, listui::CellCentre(list, 2, 3), kCopyCellDowns);
    ASSERT_TRUE(seen.opened);
    EXPECT_EQ(seen.ids, (std::vector<UINT>{ID_COPY_CELL, ID_COPY_LINE}));
    EXPECT_EQ(ClipboardText(), "CPU one");
    seen = RightClickAndChoose(list, listui::CellCentre(list, 1, 1), kCopyLineDowns);
    EXPECT_EQ(ClipboardText(), "1 Name " + list.Model().Cell(1, 2) + " CPU zero");
    seen = RightClickAndChoose(list, listui::BelowLastRow(list), kCopyCellDowns);
    EXPECT_FALSE(seen.opened);
    EXPECT_EQ(list.ClickedCellText(), "Name");
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
