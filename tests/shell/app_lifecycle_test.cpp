// The program's windows driven through messages, headless: start-up, both checks on the
// local computer, stopping, the close guard, and the keyboard paths.
#include "tests/shell/app_fixture.h"

#include <set>

#include "base/class_ids.h"
#include "engine/icmp_probe.h"
#include "resources/resource.h"
#include "resources/text.h"
#include "standard/category_catalog.h"
#include "standard/category_store.h"
#include "tests/support/fake_wmi.h"
#include "shell/layout_settings.h"
#include "shell/multi_check_window.h"
#include "ui/message_box.h"
#include "ui/window.h"

namespace {

std::string WindowText(HWND window)
{
    return ui::Window(window).Text();
}

// A provider of `objects` slow objects, so that a check is still running when the test acts.
FakeWmiScenario SlowProvider(int objects)
{
    FakeWmiScenario scenario;
    for (int number = 1; number <= objects; ++number)
        scenario.objects.push_back({{L"Name", FakeValue::Text(L"Object " + std::to_wstring(number))}});
    scenario.delayPerObjectMs = 100;
    return scenario;
}

using AppLifecycleTest = AppFixture;

}  // namespace

TEST_F(AppLifecycleTest, StartsWithTheNameFieldFocusedOnTheRootPage)
{
    EXPECT_EQ(WindowText(Frame().Handle()), "Mirel");
    EXPECT_EQ(GetFocus(), View().NameField());
    EXPECT_EQ(View().SelectedTab(), 0);
    EXPECT_TRUE(Standard().IsVisible());
    EXPECT_FALSE(Individual().IsVisible());
    EXPECT_EQ(Standard().CurrentPage(), kRootPage);
    const ResultModel& rows = Standard().DisplayList().Model();
    ASSERT_EQ(rows.RowCount(), 3);
    EXPECT_EQ(rows.Cell(0, 0), "Hardware");
    EXPECT_EQ(rows.Cell(2, 0), "Software");
    EXPECT_EQ(StatusText(), "Ready");
    EXPECT_EQ(WindowText(View().RunButton()), "Run");
}

TEST_F(AppLifecycleTest, StandardCheckOfTheLocalComputerRebuildsTheOpenPage)
{
    Standard().NavigateToCategory("Hardware");
    Standard().NavigateToCategory("processor");
    ASSERT_EQ(Standard().CurrentPage(), 19);
    EXPECT_EQ(Standard().DisplayList().Model().RowCount(), 0) << "no check yet";

    View().OnRunButton();
    EXPECT_TRUE(CheckRunning());
    EXPECT_EQ(WindowText(View().RunButton()), "Stop");
    EXPECT_FALSE(IsWindowEnabled(View().NameField()));
    EXPECT_FALSE(IsWindowEnabled(Standard().DisplayList().Handle()));
    PumpUntil([this] { return !CheckRunning(); }, 120000);

    EXPECT_EQ(WindowText(View().RunButton()), "Run");
    EXPECT_TRUE(IsWindowEnabled(View().NameField()));
    EXPECT_EQ(Standard().Tree().ItemText(Standard().PageItem(kRootPage)), "[Local Computer]");
    EXPECT_EQ(Standard().CurrentPage(), 19);
    const ResultModel& rows = Standard().DisplayList().Model();
    EXPECT_EQ(rows.RowCount(), View().Run().Stores.Store(15)->RowCount());
    EXPECT_GT(rows.RowCount(), 0) << "Wine reports its processors";
    EXPECT_EQ(GetFocus(), Standard().DisplayList().Handle());
    EXPECT_EQ(StatusText(), "Ready");
    EXPECT_TRUE(Messages().empty());
    // Every category's node tells how many objects the check read of it.
    for (const StandardCategory& category : kStandardCategories) {
        const int objects = View().Run().Stores.Store(category.storeIndex)->RowCount();
        EXPECT_EQ(Standard().Tree().ItemText(Standard().PageItem(category.page)),
                  LoadText(category.labelStringId) + " (" + std::to_string(objects) + ")");
    }
    EXPECT_EQ(Standard().Tree().ItemText(Standard().PageItem(19)), "Processor (" + std::to_string(rows.RowCount()) + ")");
    // The Service list's Start Mode reads as administrators say it; the store keeps the whole text.
    const StandardCategory& services = *CategoryByClass(ClassId::Win32_Service);
    Standard().SelectPageInTree(services.page);
    const std::set<std::string> modes = {"Boot", "System", "Auto", "Manual", "Disabled"};
    ASSERT_GT(rows.RowCount(), 0) << "Wine has services";
    for (int row = 0; row < rows.RowCount(); ++row)
        EXPECT_EQ(modes.count(rows.Cell(row, 6)), 1u) << rows.Cell(row, 6);
    const CategoryStore& stored = *View().Run().Stores.Store(services.storeIndex);
    EXPECT_NE(stored.Cell(0, 6).find(" - "), std::string::npos) << stored.Cell(0, 6);
}

TEST_F(AppLifecycleTest, TreeCountsWaitForACheckAndStayWhenOneFails)
{
    const HTREEITEM services = Standard().PageItem(CategoryByClass(ClassId::Win32_Service)->page);
    EXPECT_EQ(Standard().Tree().ItemText(services), "Service") << "no count before a check";
    FakeWmiScenario scenario;
    scenario.objects = {{{L"Name", FakeValue::Text(L"one")}}, {{L"Name", FakeValue::Text(L"two")}}};
    View().SetWmiConnector(FakeWmiConnector(&scenario));
    RunCheckToCompletion();
    EXPECT_EQ(Standard().Tree().ItemText(services), "Service (2)");
    // A computer that is not found keeps the results shown, and their counts.
    SetWindowTextA(View().NameField(), "no-such-host.invalid");
    RunCheckToCompletion();
    EXPECT_EQ(Standard().Tree().ItemText(services), "Service (2)");
    View().SetWmiConnector({});
}

TEST_F(AppLifecycleTest, IndividualCheckShowsOneRowPerPropertyValue)
{
    View().RunCommand(ID_VIEW_INDIVIDUAL);
    ChooseClass(101, 204, ClassId::Win32_Processor);
    EXPECT_FALSE(GetWindowTextLengthA(Individual().DescriptionField()) == 0);
    RunCheckToCompletion();
    const ResultModel& rows = Individual().ResultListControl().Model();
    ASSERT_GT(rows.RowCount(), 5);
    EXPECT_EQ(rows.Cell(0, 0), "1");
    EXPECT_EQ(View().Run().SelectedClassName, "Win32_Processor");
    EXPECT_EQ(Individual().ResultListControl().SelectedRow(), 0);
    EXPECT_TRUE(Messages().empty());
}

TEST_F(AppLifecycleTest, RunWithoutAClassAsksForOne)
{
    View().RunCommand(ID_VIEW_INDIVIDUAL);
    View().OnRunButton();
    EXPECT_FALSE(CheckRunning());
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0].text, "Please select the resource class to check.");
    EXPECT_EQ(Messages()[0].flags & MB_ICONMASK, static_cast<UINT>(MB_ICONEXCLAMATION));
}

TEST_F(AppLifecycleTest, UnknownHostIsReportedAndNoSurveyStarts)
{
    SetWindowTextA(View().NameField(), "  no-such-host.invalid ");
    View().OnRunButton();
    EXPECT_TRUE(Messages().empty()) << "the name is looked up on the worker, never on the window's thread";
    PumpUntil([this] { return !CheckRunning(); });
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0].text, "Could not find the host no-such-host.invalid");
    EXPECT_EQ(StatusText(), Messages()[0].text) << "the failure stays in the status bar";
}

TEST_F(AppLifecycleTest, StopEndsTheCheckEarly)
{
    FakeWmiScenario scenario = SlowProvider(50);
    View().SetWmiConnector(FakeWmiConnector(&scenario));
    View().OnRunButton();
    PumpFor(400);
    ASSERT_TRUE(CheckRunning());
    View().OnRunButton();   // Stop
    EXPECT_EQ(static_cast<int>(View().Run().IsStopRequested()), 1);
    EXPECT_FALSE(IsWindowEnabled(View().RunButton()));
    DWORD start = GetTickCount();
    PumpUntil([this] { return !CheckRunning(); });
    EXPECT_LT(GetTickCount() - start, 5000u) << "does not read the remaining objects";
    EXPECT_TRUE(IsWindowEnabled(View().RunButton()));
    EXPECT_EQ(WindowText(View().RunButton()), "Run");
    EXPECT_EQ(static_cast<int>(View().Run().IsStopRequested()), 0);
    View().SetWmiConnector({});
}

TEST_F(AppLifecycleTest, CloseGuardAsksWhileACheckRuns)
{
    FakeWmiScenario scenario = SlowProvider(50);
    View().SetWmiConnector(FakeWmiConnector(&scenario));
    View().OnRunButton();
    PumpFor(200);
    AnswerMessagesWith(IDNO);
    SendMessageA(Frame().Handle(), WM_CLOSE, 0, 0);
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0].text, LoadText(IDS_CONFIRM_QUIT));
    EXPECT_EQ(Messages()[0].flags, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));
    EXPECT_TRUE(IsWindow(Frame().Handle()));
    EXPECT_TRUE(CheckRunning()) << "No leaves everything running";

    AnswerMessagesWith(IDYES);
    const HWND frame = Frame().Handle();
    EXPECT_FALSE(Frame().ConfirmClose()) << "Yes stops the check; the frame waits for its end, never the thread";
    EXPECT_EQ(static_cast<int>(View().Run().IsStopRequested()), 1);
    EXPECT_TRUE(IsWindow(frame));
    PumpUntil([&] { return !IsWindow(frame); }, 5000);
    EXPECT_FALSE(CheckRunning());
    EXPECT_EQ(Messages().size(), 2u) << "nothing shown or asked after the quit";
    MSG quit{};
    EXPECT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the program's normal end";
}

TEST_F(AppLifecycleTest, QuitAnsweredAfterTheCheckEndedDuringTheQuestionQuits)
{
    FakeWmiScenario scenario = SlowProvider(3);
    View().SetWmiConnector(FakeWmiConnector(&scenario));
    View().OnRunButton();
    PumpFor(50);
    ASSERT_TRUE(CheckRunning());
    const HWND frame = Frame().Handle();
    int asked = 0;
    // The user reads the question while the check ends, then answers Yes.
    ui::SetMessageBoxHandler([&](HWND, const std::string&, UINT) {
        ++asked;
        PumpUntil([this] { return !CheckRunning(); }, 10000);
        return IDYES;
    });
    const DWORD start = GetTickCount();
    SendMessageA(frame, WM_CLOSE, 0, 0);
    PumpUntil([&] { return !IsWindow(frame); }, 1000);
    EXPECT_EQ(asked, 1);
    EXPECT_LT(GetTickCount() - start, 10000u);
    MSG quit{};
    EXPECT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the program's normal end";
    EXPECT_TRUE(ReadLayout(HKEY_CURRENT_USER, SettingsKey(), 96).hasPlacement) << "its layout saved";
}

TEST_F(AppLifecycleTest, QuitDuringARunOfSeveralComputersEndsWithinASecond)
{
    FakeWmiScenario scenario = SlowProvider(100);
    View().SetWmiConnector(FakeWmiConnector(&scenario));
    Frame().RunCommand(ID_FILE_CHECK_SEVERAL);
    ASSERT_NE(View().MultiCheck(), nullptr);
    View().MultiCheck()->SetNames(".\r\n");
    View().MultiCheck()->OnRunButton();
    PumpFor(300);
    ASSERT_TRUE(View().MultiCheck()->IsRunning());
    AnswerMessagesWith(IDYES);
    const HWND frame = Frame().Handle();
    const DWORD start = GetTickCount();
    SendMessageA(frame, WM_CLOSE, 0, 0);
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0].text, LoadText(IDS_CONFIRM_QUIT)) << "a run of several computers is a check too";
    PumpUntil([&] { return !IsWindow(frame); }, 3000);
    EXPECT_LT(GetTickCount() - start, 1500u);
    EXPECT_EQ(Messages().size(), 1u);
    MSG quit{};
    EXPECT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the program's normal end";
}

TEST_F(AppLifecycleTest, RunAndStopShortcutsFollowTheState)
{
    EXPECT_TRUE(View().QueryCommand(ID_CHECK_RUN).enabled);
    EXPECT_FALSE(View().QueryCommand(ID_CHECK_STOP).enabled);
    Frame().RunCommand(ID_CHECK_STOP);   // Ctrl+T with no check: nothing
    EXPECT_FALSE(CheckRunning());
    FakeWmiScenario scenario = SlowProvider(20);
    View().SetWmiConnector(FakeWmiConnector(&scenario));
    Frame().RunCommand(ID_CHECK_RUN);
    EXPECT_TRUE(CheckRunning());
    EXPECT_FALSE(View().QueryCommand(ID_CHECK_RUN).enabled);
    Frame().RunCommand(ID_CHECK_RUN);    // Ctrl+R during a check: nothing
    EXPECT_EQ(static_cast<int>(View().Run().IsStopRequested()), 0);
    Frame().RunCommand(ID_CHECK_STOP);
    EXPECT_EQ(static_cast<int>(View().Run().IsStopRequested()), 1);
    PumpUntil([this] { return !CheckRunning(); });
    View().SetWmiConnector({});
}

TEST_F(AppLifecycleTest, TabAndViewSwitching)
{
    Frame().RunCommand(ID_VIEW_INDIVIDUAL);
    EXPECT_EQ(View().SelectedTab(), 1);
    EXPECT_TRUE(Individual().IsVisible());
    EXPECT_FALSE(Standard().IsVisible());
    EXPECT_TRUE(View().QueryCommand(ID_VIEW_INDIVIDUAL).checked);
    EXPECT_FALSE(View().QueryCommand(ID_VIEW_STANDARD).checked);
    Frame().RunCommand(ID_VIEW_STANDARD);
    EXPECT_EQ(View().SelectedTab(), 0);
    EXPECT_TRUE(Standard().IsVisible());
}

TEST_F(AppLifecycleTest, KeyboardPathsIntoTheForms)
{
    PressKey(View().NameField(), VK_TAB, true);
    EXPECT_EQ(GetFocus(), Standard().DisplayList().Handle()) << "Shift+Tab from the name field";
    PressKey(Standard().DisplayList().Handle(), VK_TAB, true);
    EXPECT_EQ(GetFocus(), Standard().Tree().Handle());
    PressKey(Standard().Tree().Handle(), VK_TAB, true);
    EXPECT_EQ(GetFocus(), View().Tab().Handle());
    PressKey(View().Tab().Handle(), VK_TAB);
    EXPECT_EQ(GetFocus(), Standard().Tree().Handle());
    PressKey(Standard().Tree().Handle(), VK_TAB);
    EXPECT_EQ(GetFocus(), Standard().DisplayList().Handle());
    PressKey(Standard().DisplayList().Handle(), VK_TAB);
    EXPECT_EQ(GetFocus(), View().NameField());

    Frame().RunCommand(ID_VIEW_INDIVIDUAL);
    PressKey(View().Tab().Handle(), VK_TAB);
    EXPECT_EQ(GetFocus(), Individual().Level1().Handle());
    PressKey(Individual().Level1().Handle(), VK_TAB, true);
    EXPECT_EQ(GetFocus(), View().Tab().Handle());
    PressKey(View().NameField(), VK_TAB, true);
    EXPECT_EQ(GetFocus(), Individual().ResultListControl().Handle());
    PressKey(Individual().ResultListControl().Handle(), VK_TAB);
    EXPECT_EQ(GetFocus(), View().NameField());
}

TEST_F(AppLifecycleTest, EnterOnAGroupRowOpensItsPage)
{
    Standard().DisplayList().SelectRow(1);   // Operating System
    PressKey(Standard().DisplayList().Handle(), VK_RETURN);
    EXPECT_EQ(Standard().CurrentPage(), kOperatingSystemPage);
    const ResultModel& rows = Standard().DisplayList().Model();
    ASSERT_EQ(rows.RowCount(), 6);
    EXPECT_EQ(rows.Cell(0, 0), "System");
    EXPECT_EQ(rows.Cell(3, 0), "Logical Disk");
    EXPECT_EQ(Standard().Tree().Selection(), Standard().PageItem(kOperatingSystemPage));
    EXPECT_FALSE(CheckRunning()) << "Enter in a form does not run a check";
}

TEST_F(AppLifecycleTest, EnterInTheNameFieldRunsAndThenStops)
{
    FakeWmiScenario scenario = SlowProvider(30);
    View().SetWmiConnector(FakeWmiConnector(&scenario));
    PressKey(View().NameField(), VK_RETURN);
    EXPECT_TRUE(CheckRunning());
    EXPECT_EQ(GetFocus(), View().RunButton()) << "the keyboard keeps a place while the field is disabled";
    PressKey(GetFocus(), VK_RETURN);
    EXPECT_EQ(static_cast<int>(View().Run().IsStopRequested()), 1);
    PumpUntil([this] { return !CheckRunning(); });
    View().SetWmiConnector({});
}

TEST_F(AppLifecycleTest, FormOfTheCheckIsRestoredEvenAfterATabSwitch)
{
    FakeWmiScenario scenario = SlowProvider(10);
    View().SetWmiConnector(FakeWmiConnector(&scenario));
    View().OnRunButton();   // a standard check
    EXPECT_FALSE(IsWindowEnabled(Standard().Handle()));
    Frame().RunCommand(ID_VIEW_INDIVIDUAL);
    PumpUntil([this] { return !CheckRunning(); });
    EXPECT_TRUE(IsWindowEnabled(Standard().Handle()));
    EXPECT_TRUE(IsWindowEnabled(Standard().DisplayList().Handle()));
    EXPECT_EQ(Standard().Tree().ItemText(Standard().PageItem(kRootPage)), "[Local Computer]");
    EXPECT_FALSE(IsWindowEnabled(Individual().Level2().Handle())) << "an empty list stays disabled";
    View().SetWmiConnector({});
}

TEST_F(AppLifecycleTest, CompletionMessageWithoutACheckChangesNothing)
{
    SendMessageA(View().Handle(), WM_CHECK_COMPLETE, 0, 0);
    EXPECT_EQ(Standard().Tree().ItemText(Standard().PageItem(kRootPage)), "[Resources]");
    EXPECT_EQ(SendMessageA(View().Handle(), DM_GETDEFID, 0, 0), MAKELRESULT(IDC_RUN, DC_HASDEFID));
}

TEST_F(AppLifecycleTest, SwitchingTabsTakesTheFocusOutOfTheHiddenForm)
{
    Standard().DisplayList().View().SetFocus();
    Frame().RunCommand(ID_VIEW_INDIVIDUAL);
    HWND focus = GetFocus();
    EXPECT_FALSE(focus == Standard().Handle() || IsChild(Standard().Handle(), focus));
}

namespace {
DWORD WINAPI SilentHost(HANDLE, ULONG, LPVOID, WORD, void*, LPVOID, DWORD, DWORD)
{
    return 0;
}
}  // namespace

// A computer whose firewall drops ping may still answer WMI: the user decides.
TEST_F(AppLifecycleTest, HostThatDropsPingIsCheckedOnlyWhenTheUserAgrees)
{
    FakeWmiScenario scenario;
    scenario.objects = {{{L"Name", FakeValue::Text(L"CPU")}}};
    WmiConnector connector = FakeWmiConnector(&scenario);
    connector.icmp = LoadIcmpLibrary();
    connector.icmp->IcmpSendEcho = SilentHost;
    View().SetWmiConnector(connector);
    SetWindowTextA(View().NameField(), "127.0.0.1");
    AnswerMessagesWith(IDNO);
    View().OnRunButton();
    EXPECT_TRUE(CheckRunning()) << "the ping runs on the worker";
    PumpUntil([this] { return !CheckRunning(); });
    EXPECT_TRUE(scenario.connectedPaths.empty());
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0].text.rfind("127.0.0.1 does not answer ping. Connect to it anyway?", 0), 0u);
    EXPECT_EQ(Messages()[0].flags, static_cast<UINT>(MB_ICONQUESTION | MB_YESNO));
    AnswerMessagesWith(IDYES);
    RunCheckToCompletion();
    EXPECT_EQ(View().Run().TargetComputer, "127.0.0.1");
    ASSERT_FALSE(scenario.connectedPaths.empty());
    EXPECT_EQ(scenario.connectedPaths[0], L"\\\\127.0.0.1\\root\\cimv2");
    View().SetWmiConnector({});
}

TEST_F(AppLifecycleTest, ConnectAsRunsTheCheckAsTheAccountGivenAndCancelRunsNothing)
{
    FakeWmiScenario scenario;
    scenario.objects = {{{L"Name", FakeValue::Text(L"CPU")}}};
    View().SetWmiConnector(FakeWmiConnector(&scenario));
    SetWindowTextA(View().NameField(), "127.0.0.1");
    std::string askedFor;
    bool accept = false;
    View().SetCredentialPrompt([&](HWND, const std::string& computer, Credentials& credentials) {
        askedFor = computer;
        if (accept)
            credentials = {L"PC\\auditor", SecretText(L"pw")};
        return accept;
    });
    Frame().RunCommand(ID_CHECK_CONNECT_AS);
    EXPECT_EQ(askedFor, "127.0.0.1");
    EXPECT_FALSE(CheckRunning());
    EXPECT_TRUE(scenario.connectUsers.empty());
    accept = true;
    Frame().RunCommand(ID_CHECK_CONNECT_AS);
    PumpUntil([this] { return !CheckRunning(); });
    ASSERT_FALSE(scenario.connectUsers.empty());
    EXPECT_EQ(scenario.connectUsers[0], L"PC\\auditor");
    EXPECT_TRUE(scenario.passwordGiven);
    View().SetWmiConnector({});
}

// A reading that breaks off keeps its rows, marks its category and says so.
TEST_F(AppLifecycleTest, BrokenOffReadingIsMarkedAndReported)
{
    FakeWmiScenario scenario;
    scenario.objects = {{{L"Name", FakeValue::Text(L"one")}}, {{L"Name", FakeValue::Text(L"two")}}};
    scenario.breakOffAfter = 1;
    View().SetWmiConnector(FakeWmiConnector(&scenario));
    RunCheckToCompletion();
    EXPECT_TRUE(View().Run().Stores.IsIncomplete(15));
    EXPECT_EQ(View().Run().Stores.Store(15)->RowCount(), 1);
    char label[128] = {};
    TVITEMA item{};
    item.mask = TVIF_TEXT;
    item.hItem = Standard().PageItem(CategoryByStoreIndex(15)->page);
    item.pszText = label;
    item.cchTextMax = sizeof label;
    TreeView_GetItem(Standard().Tree().Handle(), &item);
    EXPECT_EQ(std::string(label), "Processor (1) (incomplete)") << "the objects read before the break";
    ASSERT_FALSE(Messages().empty());
    EXPECT_NE(Messages()[0].text.find("is incomplete: reading broke off with error 0x80041001."),
              std::string::npos);
    EXPECT_EQ(StatusText().rfind("The check is incomplete: The list of Win32_", 0), 0u) << StatusText();
    View().SetWmiConnector({});
}
