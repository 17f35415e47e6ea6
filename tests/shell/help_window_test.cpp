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

    // The window can be sized, and the paragraphs flow with its width.
    EXPECT_TRUE(GetWindowLongW(window, GWL_STYLE) & WS_THICKFRAME);
    HWND text = GetDlgItem(window, IDC_HELP_TEXT);
    auto linesAtWidth = [&](int width) {
        SetWindowPos(window, nullptr, 0, 0, width, 500, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        return static_cast<int>(SendMessageW(text, EM_GETLINECOUNT, 0, 0));
    };
    const int wide = linesAtWidth(1000);
    const int narrow = linesAtWidth(500);
    EXPECT_GT(narrow, wide + 10);
    RECT client{}, field{}, button{};
    GetClientRect(window, &client);
    GetWindowRect(text, &field);
    GetWindowRect(GetDlgItem(window, IDOK), &button);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&field), 2);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&button), 2);
    EXPECT_EQ(client.right - field.right, field.left) << "the text fills the width";
    EXPECT_EQ(client.right - button.right, field.left) << "Close keeps to the right edge";
    EXPECT_LT(field.bottom, button.top);
    RECT smallest{};
    SetWindowPos(window, nullptr, 0, 0, 10, 10, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    GetWindowRect(window, &smallest);
    EXPECT_GT(smallest.right - smallest.left, 200) << "not smaller than half its first size";

    SendMessageA(window, WM_COMMAND, IDOK, 0);
    PumpFor(20);
    EXPECT_FALSE(Frame().Help()->IsOpen()) << "Close closes it";

    SetTextLanguage(kJapaneseLanguage);
    Frame().RunCommand(ID_HELP);   // F1
    ASSERT_TRUE(Frame().Help()->IsOpen());
    EXPECT_NE(ShownText().find(L"\u6a19\u6e96\u30ea\u30bd\u30fc\u30b9"), std::wstring::npos) << "標準リソース";
    EXPECT_TRUE(Messages().empty());
}
