// The enabling of the list commands as the user sees it: the File and Edit menu items
// when their menu opens, and the toolbar buttons after the idle update, in the states
// that decide them.
#include "tests/shell/app_fixture.h"

#include "base/class_ids.h"
#include "resources/resource.h"
#include "standard/category_catalog.h"
#include "tests/shell/list_support.h"
#include "tests/support/fake_wmi.h"

namespace {

constexpr int kCdRomPage = 4;
constexpr int kCommands[] = {ID_FILE_SAVE_TEXT, ID_FILE_SAVE_CSV, ID_EDIT_COPY, ID_EDIT_PASTE, ID_EDIT_FIND};

struct Enabling {
    bool saveText, saveCsv, copyLine, paste, find;
};

class ListCommandsTest : public AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        listui::GiveFrameARealSize(Frame().Handle());
    }

    // The menu item of `command` after its popup (File or Edit) was prepared for opening.
    bool MenuItemEnabled(int command)
    {
        HMENU bar = Frame().MenuBar();
        HMENU popup = GetSubMenu(bar, command == ID_FILE_SAVE_TEXT || command == ID_FILE_SAVE_CSV ? 0 : 1);
        SendMessageA(Frame().Handle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), 0);
        return (GetMenuState(popup, static_cast<UINT>(command), MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED)) == 0;
    }

    bool ButtonEnabled(int command)
    {
        Frame().UpdateIdleState();
        return Frame().Toolbar().IsButtonEnabled(command);
    }

    void ExpectEnabling(const Enabling& expected, const char* situation)
    {
        const bool states[] = {expected.saveText, expected.saveCsv, expected.copyLine, expected.paste, expected.find};
        for (size_t i = 0; i < std::size(kCommands); ++i) {
            SCOPED_TRACE(std::string(situation) + ", command " + std::to_string(kCommands[i]));
            EXPECT_EQ(MenuItemEnabled(kCommands[i]), states[i]);
            EXPECT_EQ(ButtonEnabled(kCommands[i]), states[i]);
        }
    }
};

}  // namespace

TEST_F(ListCommandsTest, MenuItemsAndToolbarButtonsFollowTheState)
{
    ASSERT_TRUE(listui::PutClipboardText("pc01"));
    ASSERT_EQ(GetFocus(), View().NameField());
    ExpectEnabling({false, false, true, true, true}, "start: the root page lists three rows");

    SetFocus(Standard().DisplayList().Handle());
    ExpectEnabling({false, false, true, false, true}, "focus in the list");

    listui::FillStorePage(View().Run().Stores, kCdRomPage, {{"Drive A"}});
    Standard().SelectPageInTree(kCdRomPage);
    ExpectEnabling({true, true, true, false, true}, "a category page with a row");

    Standard().SelectPageInTree(CategoryByLabel("BIOS")->page);
    ExpectEnabling({true, false, false, false, false}, "a category page without rows");

    Frame().RunCommand(ID_VIEW_INDIVIDUAL);
    ExpectEnabling({true, false, false, false, false}, "the individual list without rows");

    FakeWmiScenario scenario;
    for (int number = 1; number <= 40; ++number)
        scenario.objects.push_back({{L"Name", FakeValue::Text(L"Object " + std::to_wstring(number))}});
    View().SetWmiConnector(FakeWmiConnector(&scenario));
    ChooseClass(101, 204, ClassId::Win32_Processor);
    RunCheckToCompletion();
    SetFocus(View().NameField());
    ExpectEnabling({true, true, true, true, true}, "the individual list with rows");

    scenario.delayPerObjectMs = 100;
    View().OnRunButton();
    ASSERT_TRUE(CheckRunning());
    ExpectEnabling({false, false, false, false, false}, "during a check (the list was emptied)");
    Frame().RunCommand(ID_CHECK_STOP);
    PumpUntil([this] { return !CheckRunning(); });
    View().SetWmiConnector({});
}
