// Sizes kept in 96-dpi units in the registry, the smallest size of the two resizable
// windows, and the window that checks several computers: where it opens, its maximised
// state, its sort arrow.
#include "tests/shell/app_fixture.h"

#include "resources/resource.h"
#include "shell/layout_settings.h"
#include "shell/multi_check_window.h"

namespace {

class WindowSizeTest : public AppFixture {
protected:
    std::string Value(const char* name)
    {
        char text[256] = {};
        DWORD size = sizeof text;
        DWORD number = 0;
        DWORD type = 0;
        if (RegGetValueA(HKEY_CURRENT_USER, SettingsKey().c_str(), name, RRF_RT_REG_SZ, &type, text, &size) ==
            ERROR_SUCCESS)
            return text;
        size = sizeof number;
        if (RegGetValueA(HKEY_CURRENT_USER, SettingsKey().c_str(), name, RRF_RT_REG_DWORD, &type, &number, &size) ==
            ERROR_SUCCESS)
            return std::to_string(number);
        return "(none)";
    }
    static SIZE Size(HWND window)
    {
        RECT rect{};
        GetWindowRect(window, &rect);
        return {rect.right - rect.left, rect.bottom - rect.top};
    }
    static MINMAXINFO Limits(HWND window)
    {
        MINMAXINFO limits{};
        SendMessageW(window, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
        return limits;
    }
    static bool Overlap(HWND a, HWND b)
    {
        RECT ra{}, rb{}, both{};
        GetWindowRect(a, &ra);
        GetWindowRect(b, &rb);
        return IntersectRect(&both, &ra, &rb) != FALSE;
    }
    MultiCheckWindow& Several()
    {
        Frame().RunCommand(ID_FILE_CHECK_SEVERAL);
        return *View().MultiCheck();
    }
};

}  // namespace

TEST_F(WindowSizeTest, SizesAreStoredIn96DpiUnitsAndScaledWhenReadBack)
{
    StoredLayout layout;
    layout.hasPlacement = true;
    layout.normal = RECT{10, 20, 10 + 720, 20 + 540};
    layout.treeWidth = 300;
    layout.standardWidths = "4:150,0,300";
    layout.several = {900, 600, true};
    ASSERT_TRUE(WriteLayout(HKEY_CURRENT_USER, SettingsKey(), layout, 144));
    EXPECT_EQ(Value("WindowPlace"), "10,20,480,360,0") << "the corner in pixels, the size at 96 dpi";
    EXPECT_EQ(Value("TreeWidthAt96"), "200");
    EXPECT_EQ(Value("StandardColumnWidthsAt96"), "4:100,0,200");
    EXPECT_EQ(Value("SeveralComputersWindow"), "600,400,1");

    const StoredLayout at144 = ReadLayout(HKEY_CURRENT_USER, SettingsKey(), 144);
    EXPECT_EQ(at144.normal.right, layout.normal.right);
    EXPECT_EQ(at144.normal.bottom, layout.normal.bottom);
    EXPECT_EQ(at144.treeWidth, 300);
    EXPECT_EQ(at144.standardWidths, "4:150,0,300");
    EXPECT_EQ(at144.several.width, 900);
    EXPECT_TRUE(at144.several.maximized);
    const StoredLayout at96 = ReadLayout(HKEY_CURRENT_USER, SettingsKey(), 96);
    EXPECT_EQ(at96.normal.right - at96.normal.left, 480);
    EXPECT_EQ(at96.treeWidth, 200);
}

TEST_F(WindowSizeTest, ALayoutOfAnOlderBuildIsReadAsPixels)
{
    RegDeleteTreeA(HKEY_CURRENT_USER, SettingsKey().c_str());
    const std::string key = SettingsKey();
    RegSetKeyValueA(HKEY_CURRENT_USER, key.c_str(), "WindowPlacement", REG_SZ, "1,2,701,502,1", 14);
    const DWORD tree = 250;
    RegSetKeyValueA(HKEY_CURRENT_USER, key.c_str(), "TreeWidth", REG_DWORD, &tree, sizeof tree);
    RegSetKeyValueA(HKEY_CURRENT_USER, key.c_str(), "IndividualColumnWidths", REG_SZ, "0:77", 5);
    const StoredLayout layout = ReadLayout(HKEY_CURRENT_USER, key, 144);
    ASSERT_TRUE(layout.hasPlacement);
    EXPECT_EQ(layout.normal.right, 701);
    EXPECT_TRUE(layout.maximized);
    EXPECT_EQ(layout.treeWidth, 250);
    EXPECT_EQ(layout.individualWidths, "0:77");
}

TEST_F(WindowSizeTest, TheFrameHasAMinimumSizeAtWhichEveryControlStaysUsable)
{
    const MINMAXINFO limits = Limits(Frame().Handle());
    EXPECT_EQ(limits.ptMinTrackSize.x, Frame().MinimumSize().cx);
    EXPECT_GE(limits.ptMinTrackSize.x, 560);
    EXPECT_GE(limits.ptMinTrackSize.y, 520);
    SetWindowPos(Frame().Handle(), nullptr, 0, 0, 200, 150, SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(Size(Frame().Handle()).cx, limits.ptMinTrackSize.x);

    EXPECT_FALSE(Overlap(View().NameField(), View().RunButton()));
    EXPECT_GE(Size(View().NameField()).cx, 150);
    for (int tab : {kStandardTab, kIndividualTab}) {
        Frame().RunCommand(tab == kStandardTab ? ID_VIEW_STANDARD : ID_VIEW_INDIVIDUAL);
        PumpFor(20);
        const ResultList& list = tab == kStandardTab ? Standard().DisplayList() : Individual().ResultListControl();
        RECT client = list.View().ClientRect();
        EXPECT_GE(client.bottom, 80) << "room for a header and rows, tab " << tab;
        EXPECT_GE(client.right, 200) << tab;
    }
    EXPECT_GE(Size(Individual().Level3().Handle()).cx, 200);
    EXPECT_FALSE(Overlap(Individual().DescriptionField(), Individual().ResultListControl().Handle()));
}

TEST_F(WindowSizeTest, SeveralComputersOpensCentredKeepsItsMaximisedStateAndShowsTheSortArrow)
{
    MultiCheckWindow& window = Several();
    RECT frame{}, several{};
    GetWindowRect(Frame().Handle(), &frame);
    GetWindowRect(window.Handle(), &several);
    EXPECT_NEAR((several.left + several.right) / 2, (frame.left + frame.right) / 2, 2);
    EXPECT_NEAR((several.top + several.bottom) / 2, (frame.top + frame.bottom) / 2, 2);
    EXPECT_EQ(Limits(window.Handle()).ptMinTrackSize.x, window.MinimumSize().cx);
    EXPECT_EQ(window.MinimumSize().cx, several.right - several.left) << "the template's size";

    window.SummaryList().onColumnClick(1);
    HDITEMW item{};
    item.mask = HDI_FORMAT;
    Header_GetItem(window.SummaryList().View().Header(), 1, &item);
    EXPECT_TRUE(item.fmt & HDF_SORTUP);

    ShowWindow(window.Handle(), SW_MAXIMIZE);
    SendMessageW(window.Handle(), WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    EXPECT_FALSE(IsWindow(window.Handle()));
    EXPECT_TRUE(IsZoomed(Several().Handle())) << "opened again as it was left";
    RestartApp();
    EXPECT_EQ(Value("SeveralComputersWindow").substr(Value("SeveralComputersWindow").rfind(',')), ",1");
    EXPECT_TRUE(IsZoomed(Several().Handle())) << "also the next day";
}
