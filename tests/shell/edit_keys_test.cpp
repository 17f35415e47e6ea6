// The editing shortcuts in text fields against the program's accelerators of the same
// keys: typed through the real message path, with the real clipboard.
#include "tests/shell/app_fixture.h"

#include "resources/resource.h"
#include "tests/support/clipboard_text.h"
#include "ui/message_loop.h"
#include "ui/save_dialog.h"

namespace {

class EditKeysTest : public AppFixture {
protected:
    void TearDown() override
    {
        ui::SetSaveFileHandler(nullptr);
        AppFixture::TearDown();
    }

    // Ctrl+`key` as the keyboard would send it to `target` (key down, then the character).
    void PressControlKey(HWND target, UINT key)
    {
        BYTE keys[256];
        GetKeyboardState(keys);
        BYTE saved = keys[VK_CONTROL];
        keys[VK_CONTROL] = 0x80;
        SetKeyboardState(keys);
        MSG message{target, WM_KEYDOWN, key, 1, GetTickCount(), {}};
        ui::ProcessMessage(message);
        PumpFor(20);
        keys[VK_CONTROL] = saved;
        SetKeyboardState(keys);
    }

    std::pair<DWORD, DWORD> Selection(HWND edit)
    {
        DWORD start = 0;
        DWORD end = 0;
        SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        return {start, end};
    }
};

}  // namespace

TEST_F(EditKeysTest, NameFieldKeepsCopyPasteSelectAllCutAndUndo)
{
    int saveQuestions = 0;
    ui::SetSaveFileHandler([&](HWND, const ui::SaveFileRequest&, std::string&) { return ++saveQuestions, false; });
    HWND field = View().NameField();
    SetWindowTextA(field, "hostA");
    SetFocus(field);
    ASSERT_TRUE(PutClipboardText("Hardware"));

    PressControlKey(field, 'A');
    EXPECT_EQ(Selection(field), std::make_pair(DWORD{0}, DWORD{5})) << "Ctrl+A selects the text";
    EXPECT_EQ(saveQuestions, 0) << "Ctrl+A in the field is not Save As";
    PressControlKey(field, 'C');
    EXPECT_EQ(ClipboardText(), "hostA") << "Ctrl+C copies the field's selection, not the list's line";

    SendMessageA(field, EM_SETSEL, 5, 5);
    PressControlKey(field, 'V');
    EXPECT_EQ(View().Run().TargetComputer, "");
    char text[64] = {};
    GetWindowTextA(field, text, sizeof text);
    EXPECT_STREQ(text, "hostAhostA");

    PressControlKey(field, 'Z');
    GetWindowTextA(field, text, sizeof text);
    EXPECT_STREQ(text, "hostA") << "Ctrl+Z undoes the paste";

    SendMessageA(field, EM_SETSEL, 0, 4);
    PressControlKey(field, 'X');
    GetWindowTextA(field, text, sizeof text);
    EXPECT_STREQ(text, "A");
    EXPECT_EQ(ClipboardText(), "host");
}

TEST_F(EditKeysTest, OutsideTextFieldsTheKeysStayCommands)
{
    ASSERT_TRUE(PutClipboardText("before"));
    ResultList& list = Standard().DisplayList();
    list.View().SetFocus();
    list.SelectRow(1);
    PressControlKey(list.Handle(), 'C');
    EXPECT_EQ(ClipboardText(), "Category\r\nOperating System\r\n") << "Ctrl+C in the list copies its row";

    EXPECT_EQ(GetFocus(), list.Handle());
}
