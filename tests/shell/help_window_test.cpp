// Help > Help Topics: the program's own help page, in the user's language, over the
// main window.
#include "tests/shell/app_fixture.h"

#include "resources/resource.h"
#include "resources/text.h"
#include "shell/help_window.h"

namespace {

class HelpWindowTest : public AppFixture {
protected:
    std::wstring ShownText()
    {
        wchar_t text[8192] = {};
        GetDlgItemTextW(Frame().Help()->Handle(), IDC_HELP_TEXT, text, 8192);
        return text;
    }
};

POINT Centre(HWND window)
{
    RECT rect{};
    GetWindowRect(window, &rect);
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

}  // namespace

TEST_F(HelpWindowTest, HelpTopicsOpensTheHelpPageInTheUserLanguageOverTheWindow)
{
    SetWindowPos(Frame().Handle(), nullptr, 50, 40, 900, 700, SWP_NOZORDER | SWP_NOACTIVATE);
    Frame().RunCommand(ID_HELP_FINDER);
    ASSERT_TRUE(Frame().Help() && Frame().Help()->IsOpen());
    HWND window = Frame().Help()->Handle();
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_EQ(GetWindow(window, GW_OWNER), Frame().Handle());
    const std::wstring english = ShownText();
    EXPECT_EQ(english.rfind(L"Mirel", 0), 0u);
    EXPECT_NE(english.find(L"Ctrl+F finds a text"), std::wstring::npos);
    EXPECT_NE(english.find(L"\r\n"), std::wstring::npos) << "lines break in the edit control";
    POINT help = Centre(window);
    POINT frame = Centre(Frame().Handle());
    EXPECT_LE(std::abs(help.x - frame.x), 1);
    EXPECT_LE(std::abs(help.y - frame.y), 1);

    SendMessageA(window, WM_COMMAND, IDOK, 0);
    PumpFor(20);
    EXPECT_FALSE(Frame().Help()->IsOpen()) << "Close closes it";

    SetTextLanguage(kJapaneseLanguage);
    Frame().RunCommand(ID_HELP);   // F1
    ASSERT_TRUE(Frame().Help()->IsOpen());
    EXPECT_NE(ShownText().find(L"\u6a19\u6e96\u30ea\u30bd\u30fc\u30b9"), std::wstring::npos) << "標準リソース";
    EXPECT_TRUE(Messages().empty());
}
