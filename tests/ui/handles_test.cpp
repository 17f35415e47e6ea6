#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <thread>

#include "tests/ui/ui_test_util.h"
#include "ui/handles.h"

namespace {

bool IsOpenHandle(HANDLE handle)
{
    DWORD flags = 0;
    return GetHandleInformation(handle, &flags) != FALSE;
}

TEST(UniqueHandle, ClosesExactlyOnceWhereverOwnershipMoved)
{
    HANDLE event = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    ASSERT_TRUE(event);
    {
        ui::UniqueHandle first(event);
        ui::UniqueHandle second(std::move(first));
        EXPECT_FALSE(first);
        EXPECT_EQ(second.Get(), event);
        ui::UniqueHandle third;
        third = std::move(second);
        EXPECT_TRUE(IsOpenHandle(event));
    }
    EXPECT_FALSE(IsOpenHandle(event));
}

TEST(UniqueHandle, InvalidHandleValueCountsAsNone)
{
    ui::UniqueHandle file(CreateFileA("Z:\\no\\such\\folder\\file.txt", GENERIC_READ, 0, nullptr,
                                      OPEN_EXISTING, 0, nullptr));
    EXPECT_EQ(file.Get(), INVALID_HANDLE_VALUE);
    EXPECT_FALSE(file);
}

TEST(UniqueHandle, ReleaseGivesUpOwnership)
{
    ui::UniqueHandle owner(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    HANDLE kept = owner.Release();
    owner.Reset();
    EXPECT_TRUE(IsOpenHandle(kept));
    CloseHandle(kept);
}

TEST(UniqueGdiObject, DeletesTheObject)
{
    HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
    ASSERT_NE(GetObjectType(brush), 0u);
    {
        ui::UniqueBrush owner(brush);
        ui::UniqueFont font(CreateFontA(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0,
                                        "MS Shell Dlg"));
        EXPECT_TRUE(font);
    }
    EXPECT_EQ(GetObjectType(brush), 0u);
}

TEST(UniqueMenu, DestroysTheMenu)
{
    HMENU menu = CreatePopupMenu();
    {
        ui::UniqueMenu owner(menu);
        EXPECT_TRUE(IsMenu(menu));
    }
    EXPECT_FALSE(IsMenu(menu));
}

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
        ui::UniqueGlobal block(GlobalAlloc(GMEM_MOVEABLE, sizeof(text)));
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
