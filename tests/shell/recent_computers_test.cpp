// The computers checked last: the drop-down of the "Computer Name" field and the
// registry value behind it, through the real window and the real registry.
#include "tests/shell/app_fixture.h"

#include "base/narrow.h"
#include "resources/resource.h"
#include "shell/recent_computers.h"
#include "tests/support/fake_wmi.h"

namespace {

class RecentComputersTest : public AppFixture {
protected:
    void RunOn(const std::string& computer)
    {
        FakeWmiScenario scenario;
        scenario.objects.push_back({{L"Name", FakeValue::Text(L"Object")}});
        View().SetWmiConnector(FakeWmiConnector(&scenario));
        SetWindowTextA(View().NameField(), computer.c_str());
        RunCheckToCompletion();
        View().SetWmiConnector({});
    }
    std::vector<std::string> Offered()
    {
        std::vector<std::string> names;
        for (int index = 0; index < View().NameBox().Count(); ++index)
            names.push_back(View().NameBox().ItemText(index));
        return names;
    }
};

}  // namespace

TEST_F(RecentComputersTest, ChecksPutTheirComputerFirstInTheRegistryAndTheDropDown)
{
    EXPECT_TRUE(Offered().empty());
    // No empty list is offered: neither by the button, nor by F4 or Alt+Down.
    const HWND box = View().NameBox().Handle();
    SetFocus(View().NameField());
    SendMessageA(box, CB_SHOWDROPDOWN, TRUE, 0);
    EXPECT_FALSE(SendMessageA(box, CB_GETDROPPEDSTATE, 0, 0));
    PressKey(View().NameField(), VK_F4);
    MSG altDown{View().NameField(), WM_SYSKEYDOWN, VK_DOWN, 1 << 29, GetTickCount(), {}};
    EXPECT_TRUE(View().PreTranslateMessage(altDown)) << "swallowed";
    EXPECT_FALSE(SendMessageA(box, CB_GETDROPPEDSTATE, 0, 0));
    COMBOBOXINFO parts{};
    parts.cbSize = sizeof parts;
    ASSERT_TRUE(GetComboBoxInfo(box, &parts));
    const LPARAM button = MAKELPARAM((parts.rcButton.left + parts.rcButton.right) / 2,
                                     (parts.rcButton.top + parts.rcButton.bottom) / 2);
    SendMessageA(box, WM_LBUTTONDOWN, MK_LBUTTON, button);
    SendMessageA(box, WM_LBUTTONUP, 0, button);
    EXPECT_FALSE(SendMessageA(box, CB_GETDROPPEDSTATE, 0, 0));
    RunOn("127.0.0.1");
    RunOn(" localhost ");
    RunOn("");                      // this computer: nothing to remember
    RunOn("no-such-host.invalid");  // not checked: not found
    RunOn("LOCALHOST");             // again, in other letters: moves up, written as typed now
    RunOn("127.0.0.1");
    const std::vector<std::string> expected{"127.0.0.1", "LOCALHOST"};
    EXPECT_EQ(ReadRecentComputers(HKEY_CURRENT_USER, SettingsKey()), expected);
    EXPECT_EQ(Offered(), expected);
    EXPECT_EQ(ui::Window(View().NameField()).Text(), "127.0.0.1") << "the field keeps its text";

    RestartApp();
    EXPECT_EQ(Offered(), expected) << "kept between sessions";
    EXPECT_EQ(ui::Window(View().NameField()).Text(), "");

    // Choosing from the opened drop-down with the keyboard fills the field; Enter takes
    // the choice, and only a second Enter runs the check.
    SetFocus(View().NameField());
    SendMessageA(View().NameBox().Handle(), CB_SHOWDROPDOWN, TRUE, 0);
    PressKey(View().NameField(), VK_DOWN);
    PressKey(View().NameField(), VK_DOWN);
    PressKey(View().NameField(), VK_RETURN);
    EXPECT_FALSE(CheckRunning());
    EXPECT_FALSE(SendMessageA(View().NameBox().Handle(), CB_GETDROPPEDSTATE, 0, 0));
    EXPECT_EQ(ui::Window(View().NameField()).Text(), "LOCALHOST");
}

TEST(RecentComputers, AtMostTenAndJapaneseNamesKept)
{
    std::vector<std::string> names;
    for (int number = 0; number < 12; ++number)
        names = WithRecentComputer(names, "pc" + std::to_string(number));
    EXPECT_EQ(names.size(), kMaxRecentComputers);
    EXPECT_EQ(names.back(), "pc2");
    EXPECT_EQ(WithRecentComputer(names, ""), names);

    // Japanese names survive the registry; a value of another type reads as none.
    const std::string key = "Software\\Tollbrook\\MirelTest\\Recent" + std::to_string(GetCurrentProcessId());
    const std::vector<std::string> japanese{ToNarrow(L"\u30b5\u30fc\u30d0\u30fc01"), "pc01"};   // サーバー01
    ASSERT_TRUE(WriteRecentComputers(HKEY_CURRENT_USER, key, japanese));
    EXPECT_EQ(ReadRecentComputers(HKEY_CURRENT_USER, key), japanese);
    ASSERT_TRUE(WriteRecentComputers(HKEY_CURRENT_USER, key, {}));
    EXPECT_TRUE(ReadRecentComputers(HKEY_CURRENT_USER, key).empty());
    RegSetKeyValueA(HKEY_CURRENT_USER, key.c_str(), kRecentComputersValue, REG_SZ, "pc01", 5);
    EXPECT_TRUE(ReadRecentComputers(HKEY_CURRENT_USER, key).empty());
    RegDeleteTreeA(HKEY_CURRENT_USER, key.c_str());
}
