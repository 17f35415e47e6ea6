#include <gtest/gtest.h>

#include <cstring>
#include <thread>

#include "base/handles.h"
#include "tests/ui/ui_test_util.h"
#include "ui/clipboard_session.h"
#include "ui/wait_cursor.h"

namespace {

TEST(WaitCursor, RestoresTheCursorOfBeforeOnScopeExit)
{
    HCURSOR arrow = LoadCursor(nullptr, IDC_ARROW);
    HCURSOR wait = LoadCursor(nullptr, IDC_WAIT);
    SetCursor(arrow);
    {
        ui::WaitCursor outer;
        EXPECT_EQ(GetCursor(), wait);
        {
            ui::WaitCursor inner;
            EXPECT_EQ(GetCursor(), wait);
        }
        EXPECT_EQ(GetCursor(), wait);
    }
    EXPECT_EQ(GetCursor(), arrow);
}

bool OtherThreadCanOpenClipboard()
{
    bool opened = false;
    std::thread other([&] {
        opened = OpenClipboard(nullptr) != FALSE;
        if (opened)
            CloseClipboard();
    });
    other.join();
    return opened;
}

TEST(ClipboardSession, HoldsTheClipboardForItsScope)
{
    const char text[] = "Intel(R) Core(TM) i7";
    uitest::HostWindow owner;
    {
        ui::ClipboardSession session(owner.Handle());
        ASSERT_TRUE(session.IsOpen());
        EXPECT_FALSE(OtherThreadCanOpenClipboard());
        EmptyClipboard();
        UniqueGlobal block(GlobalAlloc(GMEM_MOVEABLE, sizeof(text)));
        ASSERT_TRUE(block);
        std::memcpy(GlobalLock(block.Get()), text, sizeof(text));
        GlobalUnlock(block.Get());
        ASSERT_TRUE(SetClipboardData(CF_TEXT, block.Get()));
        block.Release();  // the clipboard owns it now
    }
    EXPECT_TRUE(OtherThreadCanOpenClipboard());

    ui::ClipboardSession reader;
    ASSERT_TRUE(reader.IsOpen());
    HANDLE data = GetClipboardData(CF_TEXT);
    ASSERT_TRUE(data);
    EXPECT_STREQ(static_cast<const char*>(GlobalLock(data)), text);
    GlobalUnlock(data);
}

}  // namespace
