#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "resources/resource.h"
#include "resources/text.h"
#include "ui/message_box.h"

namespace {

struct Shown {
    HWND owner = nullptr;
    std::string text;
    UINT flags = 0;
    DWORD thread = 0;
};

class MessageBoxHook : public ::testing::Test {
protected:
    void TearDown() override { ui::SetMessageBoxHandler(nullptr); }
};

TEST_F(MessageBoxHook, RecordsTheQuestionAndGivesTheAnswerOnTheAskingThread)
{
    Shown shown;
    ui::SetMessageBoxHandler([&](HWND owner, const std::string& text, UINT flags) {
        shown = {owner, text, flags, GetCurrentThreadId()};
        return IDNO;
    });

    int answer = 0;
    DWORD worker = 0;
    std::thread asking([&] {
        worker = GetCurrentThreadId();
        answer = ui::ShowMessageBox(nullptr, "A check is running. Quit anyway?",
                                    MB_YESNO | MB_ICONINFORMATION);
    });
    asking.join();

    EXPECT_EQ(answer, IDNO);
    EXPECT_EQ(shown.text, "A check is running. Quit anyway?");
    EXPECT_EQ(shown.flags, static_cast<UINT>(MB_YESNO | MB_ICONINFORMATION));
    EXPECT_EQ(shown.thread, worker);
}

TEST_F(MessageBoxHook, ManyThreadsMayAskAtOnce)
{
    std::atomic<int> asked{0};
    ui::SetMessageBoxHandler([&](HWND, const std::string&, UINT flags) {
        ++asked;
        return static_cast<int>(flags & 0xF) + 1;
    });
    std::thread first([] { EXPECT_EQ(ui::ShowMessageBox(nullptr, "a", MB_OK), 1); });
    std::thread second([] { EXPECT_EQ(ui::ShowMessageBox(nullptr, "b", MB_YESNO), MB_YESNO + 1); });
    first.join();
    second.join();
    EXPECT_EQ(asked.load(), 2);
}

// The real box, closed by a timer that runs inside its modal loop.
std::string g_caption;
std::string g_boxText;

BOOL CALLBACK CloseMessageBox(HWND window, LPARAM)
{
    char className[16] = "";
    GetClassNameA(window, className, sizeof(className));
    if (std::string(className) != "#32770")
        return TRUE;
    char text[256] = "";
    GetWindowTextA(window, text, sizeof(text));
    g_caption = text;
    GetDlgItemTextA(window, 0xFFFF, text, sizeof(text));
    g_boxText = text;
    PostMessageA(window, WM_COMMAND, IDOK, 0);
    return FALSE;
}

void CALLBACK FindAndCloseBox(HWND, UINT, UINT_PTR timer, DWORD)
{
    EnumThreadWindows(GetCurrentThreadId(), CloseMessageBox, 0);
    if (!g_caption.empty())
        KillTimer(nullptr, timer);
}

TEST_F(MessageBoxHook, WithoutHookTheRealBoxShowsTheProgramName)
{
    ui::SetMessageBoxHandler(nullptr);
    g_caption.clear();
    g_boxText.clear();
    SetTimer(nullptr, 0, 50, FindAndCloseBox);

    EXPECT_EQ(ui::ShowMessageBox(nullptr, "Please input Find Text.", MB_OK | MB_ICONEXCLAMATION), IDOK);
    EXPECT_EQ(g_caption, LoadText(IDS_APP_TITLE));
    EXPECT_EQ(g_caption, "Mirel");
    EXPECT_EQ(g_boxText, "Please input Find Text.");
}

}  // namespace
