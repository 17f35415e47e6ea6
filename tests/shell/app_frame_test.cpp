// The frame of the running program: appearance kept across starts, menu states and
// prompts, the bars.
#include "tests/shell/app_fixture.h"

#include "appearance/appearance_settings.h"
#include "resources/resource.h"
#include "resources/text.h"
#include "ui/menu.h"

namespace {

// Keeps the user's stored appearance as it was before the test.
class StoredLookGuard {
public:
    StoredLookGuard() : saved_(ReadApplicationLook()) {}
    ~StoredLookGuard() { WriteApplicationLook(saved_); }

private:
    int saved_;
};

class AppFrameTest : public AppFixture {
protected:
    // Lets the frame update a popup of the menu bar as it does before showing it.
    HMENU PreparedPopup(int position)
    {
        HMENU popup = GetSubMenu(Frame().MenuBar(), position);
        SendMessageA(Frame().Handle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), position);
        return popup;
    }
    HMENU AppearancePopup()
    {
        HMENU view = PreparedPopup(2);
        for (int index = 0; index < GetMenuItemCount(view); ++index)
            if (HMENU sub = GetSubMenu(view, index); sub && GetMenuItemID(sub, 0) == ID_VIEW_APPLOOK_WIN_2000) {
                SendMessageA(Frame().Handle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(sub), index);
                return sub;
            }
        return nullptr;
    }
};

}  // namespace

TEST_F(AppFrameTest, AppearanceChoiceIsStoredAndUsedAtTheNextStart)
{
    StoredLookGuard guard;
    Frame().RunCommand(ID_VIEW_APPLOOK_OFF_2007_SILVER);
    EXPECT_EQ(Frame().CurrentLook(), ID_VIEW_APPLOOK_OFF_2007_SILVER);
    EXPECT_EQ(ReadApplicationLook(), ID_VIEW_APPLOOK_OFF_2007_SILVER);
    HMENU looks = AppearancePopup();
    ASSERT_NE(looks, nullptr);
    EXPECT_TRUE(ui::Menu(looks).IsChecked(ID_VIEW_APPLOOK_OFF_2007_SILVER));
    EXPECT_FALSE(ui::Menu(looks).IsChecked(ID_VIEW_APPLOOK_VS_2005));

    TearDown();   // the program ends ...
    SetUp();      // ... and starts again
    EXPECT_EQ(Frame().CurrentLook(), ID_VIEW_APPLOOK_OFF_2007_SILVER);
}

TEST_F(AppFrameTest, EveryAppearanceItemCarriesTheRadioMarkOnlyWhenCurrent)
{
    StoredLookGuard guard;
    for (int look = ID_VIEW_APPLOOK_WIN_2000; look <= ID_VIEW_APPLOOK_OFF_2007_AQUA; ++look) {
        Frame().RunCommand(look);
        HMENU looks = AppearancePopup();
        for (int other = ID_VIEW_APPLOOK_WIN_2000; other <= ID_VIEW_APPLOOK_OFF_2007_AQUA; ++other)
            EXPECT_EQ(ui::Menu(looks).IsChecked(other), other == look) << look << " " << other;
    }
}

TEST_F(AppFrameTest, FirstStartWithoutAStoredChoiceUsesVisualStudio2005)
{
    StoredLookGuard guard;
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kMirelSettingsKey, 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
        RegDeleteValueA(key, kApplicationLookValue);
        RegCloseKey(key);
    }
    TearDown();
    SetUp();
    EXPECT_EQ(Frame().CurrentLook(), ID_VIEW_APPLOOK_VS_2005);
}

TEST_F(AppFrameTest, MenuItemsFollowTheState)
{
    HMENU file = PreparedPopup(0);
    EXPECT_TRUE(ui::Menu(file).IsEnabled(ID_CHECK_RUN));
    EXPECT_FALSE(ui::Menu(file).IsEnabled(ID_CHECK_STOP));
    EXPECT_FALSE(ui::Menu(file).IsEnabled(ID_FILE_SAVE_TEXT)) << "no standard data yet";
    EXPECT_FALSE(ui::Menu(file).IsEnabled(ID_FILE_SAVE_CSV)) << "root page";
    HMENU view = PreparedPopup(2);
    EXPECT_TRUE(ui::Menu(view).IsChecked(ID_VIEW_STANDARD));
    EXPECT_FALSE(ui::Menu(view).IsChecked(ID_VIEW_INDIVIDUAL));
    EXPECT_TRUE(ui::Menu(view).IsChecked(ID_VIEW_STATUS_BAR));
    char text[64] = {};
    GetMenuStringA(view, ID_VIEW_TOOLBAR, text, sizeof text, MF_BYCOMMAND);
    EXPECT_EQ(std::string(text), LoadText(IDS_TOOLBAR_STANDARD)) << "the toolbar's own entry";
    for (int index = 0; index < GetMenuItemCount(view); ++index)
        if (HMENU sub = GetSubMenu(view, index); sub && GetMenuItemID(sub, 0) == ID_VIEW_TOOLBAR)
            SendMessageA(Frame().Handle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(sub), index);
    EXPECT_TRUE(ui::Menu(view).IsChecked(ID_VIEW_TOOLBAR));

    Frame().RunCommand(ID_VIEW_STATUS_BAR);
    EXPECT_FALSE(IsWindowVisible(TheApp().statusBar));
    view = PreparedPopup(2);
    EXPECT_FALSE(ui::Menu(view).IsChecked(ID_VIEW_STATUS_BAR));
    Frame().RunCommand(ID_VIEW_STATUS_BAR);
    EXPECT_TRUE(IsWindowVisible(TheApp().statusBar));
}

TEST_F(AppFrameTest, HighlightedMenuItemShowsItsPromptAndClosingShowsReady)
{
    SendMessageA(Frame().Handle(), WM_MENUSELECT, MAKEWPARAM(ID_FILE_SAVE_CSV, MF_STRING),
                 reinterpret_cast<LPARAM>(GetSubMenu(Frame().MenuBar(), 0)));
    EXPECT_EQ(StatusText(), "Save the displayed data in the list as CSV");
    SendMessageA(Frame().Handle(), WM_MENUSELECT, MAKEWPARAM(ID_VIEW_INDIVIDUAL, MF_STRING),
                 reinterpret_cast<LPARAM>(GetSubMenu(Frame().MenuBar(), 2)));
    EXPECT_EQ(StatusText(), "Change to Individual Tab");
    SendMessageA(Frame().Handle(), WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    EXPECT_EQ(StatusText(), "Ready");
}

TEST_F(AppFrameTest, ToolbarHasTheSixCommandsAndFollowsTheirState)
{
    const ui::ToolBar& toolbar = Frame().Toolbar();
    EXPECT_EQ(toolbar.ButtonCount(), 8) << "six buttons and two separators";
    Frame().UpdateIdleState();
    EXPECT_FALSE(toolbar.IsButtonEnabled(ID_FILE_SAVE_TEXT));
    EXPECT_TRUE(toolbar.IsButtonEnabled(ID_EDIT_FIND)) << "the root page has rows to search";
    EXPECT_FALSE(toolbar.IsButtonEnabled(ID_FILE_SAVE_CSV)) << "the root page is no category";
    EXPECT_TRUE(toolbar.IsButtonEnabled(ID_APP_ABOUT));
}

TEST_F(AppFrameTest, StatusBarHasTheMessageAndTheThreeLockPanes)
{
    // The message, where the shown results come from, CAP, NUM and SCRL.
    EXPECT_EQ(SendMessageA(TheApp().statusBar, SB_GETPARTS, 0, 0), 5);
    EXPECT_EQ(StatusText(), "Ready");
}
