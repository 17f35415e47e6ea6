// Double clicks and keys in the result lists: the root and group pages open the page of
// the row; category pages and the individual list only keep their place.
#include "tests/shell/app_fixture.h"

#include "resources/resource.h"
#include "standard/category_catalog.h"
#include "tests/shell/list_support.h"

namespace {

class ListNavigationTest : public AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        listui::GiveFrameARealSize(Frame().Handle());
    }

    ResultList& List() { return Standard().DisplayList(); }

    int PageOf(const std::string& label) { return CategoryByLabel(label)->page; }
};

}  // namespace

TEST_F(ListNavigationTest, DoubleClickOpensThePageOfTheRowOnRootAndGroupPagesOnly)
{
    listui::DoubleClickAt(List(), listui::BelowLastRow(List()));
    EXPECT_EQ(Standard().CurrentPage(), kRootPage) << "no row under the mouse";

    ASSERT_EQ(List().View().ItemText(1, 0), "Operating System");
    listui::DoubleClickAt(List(), listui::CellCentre(List(), 1, 0));
    ASSERT_EQ(Standard().CurrentPage(), kOperatingSystemPage);
    EXPECT_EQ(Standard().Tree().Selection(), Standard().PageItem(kOperatingSystemPage));

    ASSERT_EQ(List().View().ItemText(0, 0), "System");
    listui::DoubleClickAt(List(), listui::CellCentre(List(), 0, 0));
    const int systemPage = PageOf("System");
    ASSERT_EQ(Standard().CurrentPage(), systemPage);
    EXPECT_EQ(Standard().Tree().Selection(), Standard().PageItem(systemPage));

    listui::FillStorePage(View().Run().Stores, systemPage, {{"Hardware"}, {"System"}});
    Standard().ShowStandardPage(systemPage);
    listui::DoubleClickAt(List(), listui::CellCentre(List(), 0, 0));
    EXPECT_EQ(Standard().CurrentPage(), systemPage) << "a category page leads nowhere, whatever its cells say";
    EXPECT_FALSE(CheckRunning());
}

TEST_F(ListNavigationTest, EnterOpensTheSelectedRowsPageAndEscDoesNothing)
{
    Standard().SelectPageInTree(kHardwarePage);
    List().View().SetItemState(-1, 0, LVIS_SELECTED);
    List().View().SetFocus();
    PressKey(List().Handle(), VK_RETURN);
    EXPECT_EQ(Standard().CurrentPage(), kHardwarePage) << "nothing selected";
    EXPECT_FALSE(CheckRunning()) << "Enter in the list never runs a check";

    PressKey(List().Handle(), VK_ESCAPE);
    EXPECT_EQ(Standard().CurrentPage(), kHardwarePage);
    EXPECT_EQ(GetFocus(), List().Handle());
    EXPECT_TRUE(IsWindowVisible(Frame().Handle()));

    const int processorPage = PageOf("Processor");
    for (int row = 0; row < List().View().ItemCount(); ++row)
        if (List().View().ItemText(row, 0) == "Processor")
            List().SelectRow(row);
    PressKey(List().Handle(), VK_RETURN);
    ASSERT_EQ(Standard().CurrentPage(), processorPage);
    EXPECT_EQ(Standard().Tree().Selection(), Standard().PageItem(processorPage));

    listui::FillStorePage(View().Run().Stores, processorPage, {{"Software"}});
    Standard().ShowStandardPage(processorPage);
    List().SelectRow(0);
    PressKey(List().Handle(), VK_RETURN);
    EXPECT_EQ(Standard().CurrentPage(), processorPage);
    EXPECT_FALSE(CheckRunning());
    EXPECT_TRUE(Messages().empty());
}

TEST_F(ListNavigationTest, EnterAndEscInTheIndividualListDoNothing)
{
    Frame().RunCommand(ID_VIEW_INDIVIDUAL);
    HWND list = Individual().ResultListControl().Handle();
    SetFocus(list);
    PressKey(list, VK_RETURN);
    PressKey(list, VK_ESCAPE);
    EXPECT_FALSE(CheckRunning());
    EXPECT_TRUE(Messages().empty()) << "no request to choose a class: Run was not pressed";
    EXPECT_EQ(GetFocus(), list);
    EXPECT_EQ(View().SelectedTab(), 1);
}
