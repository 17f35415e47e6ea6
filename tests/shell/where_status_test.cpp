// Where the shown results come from: the status bar names the computer, when it was
// checked and how many objects the shown list holds; the individual tab names the class of
// its rows; failures before a check stay in the status bar. Real windows, a provider of
// the test's own.
#include "tests/shell/app_fixture.h"

#include <regex>

#include "base/class_ids.h"
#include "base/narrow.h"
#include "base/text_util.h"
#include "resources/resource.h"
#include "resources/text.h"
#include "shell/multi_check_window.h"
#include "standard/category_catalog.h"
#include "tests/support/fake_wmi.h"

namespace {

FakeWmiScenario NamedObjects(int count)
{
    FakeWmiScenario scenario;
    for (int number = 1; number <= count; ++number)
        scenario.objects.push_back({{L"Name", FakeValue::Text(L"Object " + std::to_wstring(number))}});
    return scenario;
}

class WhereStatusTest : public AppFixture {
protected:
    void RunWith(FakeWmiScenario& scenario)
    {
        View().SetWmiConnector(FakeWmiConnector(&scenario));
        RunCheckToCompletion();
        View().SetWmiConnector({});
        Frame().UpdateIdleState();
    }
    std::string WherePane()
    {
        wchar_t text[512] = {};
        SendMessageW(TheApp().statusBar, SB_GETTEXTW, 1, reinterpret_cast<LPARAM>(text));
        return ToNarrow(text);
    }
};

// The time as the user's short date and time show it ("12/10/2026 6:59 PM" here).
const std::regex kWhere(R"(\[Local Computer\], read \S+ \d{1,2}:\d\d(?::\d\d)?(?: [AP]M)?: (\d+) objects?)");

}  // namespace

TEST_F(WhereStatusTest, TheStatusBarNamesTheComputerTheTimeAndTheObjectsOfTheShownList)
{
    Frame().UpdateIdleState();
    EXPECT_EQ(WherePane(), "") << "nothing shown, nothing to say";
    FakeWmiScenario three = NamedObjects(3);
    RunWith(three);
    std::smatch match;
    const std::string root = WherePane();
    ASSERT_TRUE(std::regex_match(root, match, kWhere)) << root;
    EXPECT_EQ(match[1], std::to_string(3 * kCategoryCount)) << "the root holds every category";
    Standard().SelectPageInTree(kFirstCategoryPage);
    Frame().UpdateIdleState();
    EXPECT_EQ(WherePane().substr(root.find(": ")), ": 3 objects");

    Frame().RunCommand(ID_VIEW_INDIVIDUAL);
    Frame().UpdateIdleState();
    EXPECT_EQ(WherePane(), "") << "no class was checked yet";
    ChooseClass(101, 204, ClassId::Win32_Processor);
    FakeWmiScenario one = NamedObjects(1);
    RunWith(one);
    EXPECT_EQ(WherePane().substr(root.find(": ")), ": 1 object");
    EXPECT_EQ(Frame().WhereText(), WherePane());

    // A class check that fails keeps the rows, and so their origin.
    const std::string before = WherePane();
    Sleep(1100);
    FakeWmiScenario failing = NamedObjects(2);
    failing.queryResult = WBEM_E_ACCESS_DENIED;
    RunWith(failing);
    EXPECT_EQ(WherePane(), before);
}

TEST_F(WhereStatusTest, TheIndividualTabNamesTheClassOfItsRowsAndMarksThemWhenAnotherIsChosen)
{
    Frame().RunCommand(ID_VIEW_INDIVIDUAL);
    EXPECT_EQ(Individual().RowsClassLine(), "");
    ChooseClass(101, 204, ClassId::Win32_Processor);
    FakeWmiScenario four = NamedObjects(4);
    RunWith(four);
    EXPECT_EQ(Individual().RowsClassLine(), FillIn(LoadText(IDS_CLASS_OF_ROWS), "Win32_Processor"));
    ChooseClass(102, 225, ClassId::Win32_Service);
    EXPECT_EQ(Individual().RowsClassLine(), FillIn(LoadText(IDS_CLASS_OF_ROWS_OTHER), "Win32_Processor"));
    EXPECT_EQ(Individual().ResultListControl().Model().RowCount(), 4) << "marked, not lost";
    ChooseClass(101, 204, ClassId::Win32_Processor);
    EXPECT_EQ(Individual().RowsClassLine(), FillIn(LoadText(IDS_CLASS_OF_ROWS), "Win32_Processor"));
}

TEST_F(WhereStatusTest, AHostNotFoundStaysInTheStatusBar)
{
    SetWindowTextA(View().NameField(), "nothere.invalid");
    View().OnRunButton();
    PumpUntil([&] { return !CheckRunning(); }, 10000);   // the name is looked up on the worker
    const std::vector<RecordedMessage> messages = Messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_FALSE(CheckRunning());
    EXPECT_EQ(StatusText(), messages[0].text.substr(0, messages[0].text.find('\n')));
    EXPECT_NE(StatusText().find("nothere.invalid"), std::string::npos) << StatusText();
}
