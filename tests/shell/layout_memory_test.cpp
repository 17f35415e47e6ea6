// Column widths fitted to their content and remembered, the tree's width, and the frame's
// place: within a session and across a restart (the layout stored in the registry).
#include "tests/shell/app_fixture.h"

#include "base/class_ids.h"
#include "resources/resource.h"
#include "resources/text.h"
#include "shell/layout_settings.h"
#include "standard/category_catalog.h"
#include "tests/shell/list_support.h"
#include "tests/support/fake_wmi.h"

namespace {

constexpr int kCdRomPage = 4;
constexpr int kIdeControllerPage = 5;
const std::string kLongText = "Manual - Service to be started by the Service Control Manager when a process calls";

class LayoutMemoryTest : public AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        listui::GiveFrameARealSize(Frame().Handle());
    }
    ResultList& List() { return Standard().DisplayList(); }
    int Width(const ResultList& list, int column) { return list.View().ColumnWidth(column); }
    int TextWidth(const ResultList& list, const std::string& text)
    {
        return static_cast<int>(SendMessageA(list.Handle(), LVM_GETSTRINGWIDTHA, 0, reinterpret_cast<LPARAM>(text.c_str())));
    }
    int TotalWidth(const ResultList& list)
    {
        int total = 0;
        for (int column = 0; column < list.View().ColumnCount(); ++column)
            total += Width(list, column);
        return total;
    }
    // A drag of a header divider as the list reports it to the form.
    void DragColumn(HWND form, const ResultList& list, int column, int width)
    {
        HDITEMA item{};
        item.mask = HDI_WIDTH;
        item.cxy = width;
        NMHEADERA track{};
        track.hdr = {list.View().Header(), 0, HDN_ENDTRACKA};
        track.iItem = column;
        track.pitem = &item;
        SendMessageA(form, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&track));
        list.View().SetColumnWidth(column, width);
        PumpFor(20);
    }
    void DragSplitterBy(int dx)
    {
        HWND splitter = GetParent(Standard().Tree().Handle());
        const int bar = Standard().TreeWidth() + 2;
        SendMessageA(splitter, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(bar, 50));
        SendMessageA(splitter, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(bar + dx, 50));
        SendMessageA(splitter, WM_LBUTTONUP, 0, MAKELPARAM(bar + dx, 50));
        PumpFor(20);
    }
};

}  // namespace

TEST_F(LayoutMemoryTest, ColumnsFitTheirContentAndTheLastFillsTheList)
{
    std::vector<std::string> row(9, "x");
    row[1] = kLongText;
    listui::FillStorePage(View().Run().Stores, kCdRomPage, {row});
    Standard().SelectPageInTree(kCdRomPage);
    EXPECT_GE(Width(List(), 1), TextWidth(List(), kLongText)) << "a decoded text is not cut";
    EXPECT_LT(Width(List(), 2), 100 + 1) << "a short column no wider than it needs";
    EXPECT_GE(Width(List(), 2), TextWidth(List(), List().Model().Column(2).header)) << "header included";
    RECT client = List().View().ClientRect();
    EXPECT_GE(TotalWidth(List()), client.right) << "the last column fills the list";

    // The tree is wide enough for the longest label, and the list follows the splitter.
    EXPECT_GT(Standard().TreeWidth(), 150);
    Standard().SelectPageInTree(kRootPage);
    const int before = Width(List(), 0);
    DragSplitterBy(-40);
    EXPECT_EQ(Width(List(), 0), before + 40) << "the last column takes the room the tree gave";
}

TEST_F(LayoutMemoryTest, WidthsTreeAndPlacementAreRememberedAcrossPagesAndSessions)
{
    listui::FillStorePage(View().Run().Stores, kCdRomPage, {std::vector<std::string>(9, "x")});
    Standard().SelectPageInTree(kCdRomPage);
    DragColumn(Standard().Handle(), List(), 2, 222);
    Standard().SelectPageInTree(kIdeControllerPage);
    EXPECT_NE(Width(List(), 2), 222) << "another page keeps its own widths";
    Standard().SelectPageInTree(kCdRomPage);
    EXPECT_EQ(Width(List(), 2), 222) << "the page comes back with the width the user chose";

    DragSplitterBy(30);
    const int tree = Standard().TreeWidth();
    Frame().RunCommand(ID_VIEW_INDIVIDUAL);
    DragColumn(Individual().Handle(), Individual().ResultListControl(), 0, 77);
    SetWindowPos(Frame().Handle(), nullptr, 40, 30, 700, 520, SWP_NOZORDER | SWP_NOACTIVATE);

    RestartApp();
    RECT frame{};
    GetWindowRect(Frame().Handle(), &frame);
    EXPECT_EQ(frame.left, 40);
    EXPECT_EQ(frame.top, 30);
    EXPECT_EQ(frame.right - frame.left, 700);
    EXPECT_EQ(frame.bottom - frame.top, 520);
    EXPECT_EQ(Standard().TreeWidth(), tree);
    EXPECT_EQ(Width(Individual().ResultListControl(), 0), 77);
    listui::FillStorePage(View().Run().Stores, kCdRomPage, {std::vector<std::string>(9, "x")});
    Standard().SelectPageInTree(kCdRomPage);
    EXPECT_EQ(Width(List(), 2), 222);
}

TEST_F(LayoutMemoryTest, PlacementOffEveryScreenIsIgnored)
{
    SetWindowPos(Frame().Handle(), nullptr, 30000, 30000, 700, 520, SWP_NOZORDER | SWP_NOACTIVATE);
    RestartApp();
    RECT frame{};
    GetWindowRect(Frame().Handle(), &frame);
    EXPECT_LT(frame.left, 5000);
    EXPECT_LT(frame.top, 5000);
    EXPECT_NE(MonitorFromRect(&frame, MONITOR_DEFAULTTONULL), nullptr);
}

// A size saved on a larger screen, or at 96 dpi and scaled for 144 (1575 x 1114 on a
// 1600 x 1100 screen), opens reduced onto this screen's work area, its status bar seen.
TEST_F(LayoutMemoryTest, ARestoredWindowLargerThanTheWorkAreaIsReducedAndMovedOntoIt)
{
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    ASSERT_TRUE(GetMonitorInfoW(MonitorFromWindow(Frame().Handle(), MONITOR_DEFAULTTOPRIMARY), &monitor));
    const RECT work = monitor.rcWork;
    for (const RECT& saved : {RECT{300, 200, 300 + (work.right - work.left) + 25, 200 + (work.bottom - work.top) + 14},
                              RECT{work.right - 200, work.bottom - 150, work.right + 500, work.bottom + 400}}) {
        RestartApp([&] {
            StoredLayout layout = ReadLayout(HKEY_CURRENT_USER, SettingsKey(), 96);
            layout.hasPlacement = true;
            layout.maximized = false;
            layout.normal = saved;
            ASSERT_TRUE(WriteLayout(HKEY_CURRENT_USER, SettingsKey(), layout, 96));
        });
        RECT frame{};
        GetWindowRect(Frame().Handle(), &frame);
        EXPECT_GE(frame.left, work.left);
        EXPECT_GE(frame.top, work.top);
        EXPECT_LE(frame.right, work.right);
        EXPECT_LE(frame.bottom, work.bottom);
        RECT status{};
        GetWindowRect(Frame().Status().Handle(), &status);
        EXPECT_LE(status.bottom, work.bottom) << "the status bar is on the screen";
        EXPECT_GT(status.bottom - status.top, 0);
        // As large as it fits: the size wanted where the work area allows it.
        EXPECT_EQ(frame.right - frame.left, std::min(saved.right - saved.left, work.right - work.left));
        EXPECT_EQ(frame.bottom - frame.top, std::min(saved.bottom - saved.top, work.bottom - work.top));
    }
}

TEST_F(LayoutMemoryTest, AnEmptyCategoryAfterACheckSaysSoAndAPageStartsAtItsLeftEdge)
{
    Standard().SelectPageInTree(kIdeControllerPage);
    EXPECT_EQ(List().EmptyText(), "") << "before any check nothing was looked for";

    std::vector<std::string> wide(9, kLongText);
    listui::FillStorePage(View().Run().Stores, kCdRomPage, {wide});
    Standard().SelectPageInTree(kCdRomPage);
    List().View().Scroll(400, 0);
    ASSERT_GT(List().View().HorizontalScrollPos(), 0);
    Standard().SelectPageInTree(kIdeControllerPage);
    EXPECT_EQ(List().EmptyText(), LoadText(IDS_NO_OBJECTS));
    EXPECT_EQ(List().View().HorizontalScrollPos(), 0);
}

TEST_F(LayoutMemoryTest, AMaximisedWindowOpensMaximisedAgain)
{
    ShowWindow(Frame().Handle(), SW_MAXIMIZE);
    ASSERT_TRUE(IsZoomed(Frame().Handle()));
    RestartApp();
    EXPECT_TRUE(IsZoomed(Frame().Handle()));
}

// Quitting while a check waits for a computer that never answers: the check ends through
// its stop flag and the program as on any quit, its layout in the registry.
TEST_F(LayoutMemoryTest, QuitDuringAStalledCheckEndsItAndSavesTheLayoutAsAnyQuit)
{
    FakeWmiScenario scenario;
    scenario.objects = {{{L"Name", FakeValue::Text(L"CPU")}}};
    scenario.stallAfter = 0;   // reached, but never answers
    View().SetWmiConnector(FakeWmiConnector(&scenario));
    SetWindowPos(Frame().Handle(), nullptr, 50, 40, 720, 540, SWP_NOZORDER | SWP_NOACTIVATE);
    DragSplitterBy(25);
    const int tree = Standard().TreeWidth();
    View().OnRunButton();
    PumpFor(500);
    ASSERT_TRUE(CheckRunning());

    AnswerMessagesWith(IDYES);
    const HWND frame = Frame().Handle();
    const ULONGLONG closed = GetTickCount64();
    PostMessageA(frame, WM_CLOSE, 0, 0);
    PumpUntil([&] { return !IsWindow(frame); }, 10000);
    EXPECT_LT(GetTickCount64() - closed, 3000u) << "a second for the stop, half a second for the completion";
    MSG quit{};
    EXPECT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the program's normal end";
    const StoredLayout layout = ReadLayout(HKEY_CURRENT_USER, SettingsKey(), 96);   // the test prefix runs at 96 dpi
    ASSERT_TRUE(layout.hasPlacement);
    EXPECT_EQ(layout.normal.left, 50);
    EXPECT_EQ(layout.normal.top, 40);
    EXPECT_EQ(layout.normal.right - layout.normal.left, 720);
    EXPECT_EQ(layout.treeWidth, tree);
}

TEST_F(LayoutMemoryTest, TheIndividualFormIsMadeWhenItsTabIsFirstChosenAndKeepsItsWidthsUntilThen)
{
    auto formsInTheTab = [this] {
        int forms = 0;
        for (HWND child = GetWindow(View().Tab().Handle(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            char name[16] = {};
            GetClassNameA(child, name, sizeof name);
            forms += std::string(name) == "#32770";
        }
        return forms;
    };
    Frame().RunCommand(ID_VIEW_INDIVIDUAL);
    DragColumn(Individual().Handle(), Individual().ResultListControl(), 0, 77);

    RestartApp();   // a session that never chooses the individual tab
    EXPECT_EQ(formsInTheTab(), 1) << "only the standard form is made at start";
    RestartApp();
    Frame().RunCommand(ID_VIEW_INDIVIDUAL);
    EXPECT_EQ(formsInTheTab(), 2);
    EXPECT_TRUE(IsWindowVisible(Individual().Handle()));
    EXPECT_EQ(Width(Individual().ResultListControl(), 0), 77);
}
