#include <gtest/gtest.h>

#include "base/handles.h"

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
        UniqueHandle first(event);
        UniqueHandle second(std::move(first));
        EXPECT_FALSE(first);
        EXPECT_EQ(second.Get(), event);
        UniqueHandle third;
        third = std::move(second);
        EXPECT_TRUE(IsOpenHandle(event));
    }
    EXPECT_FALSE(IsOpenHandle(event));
}

TEST(UniqueHandle, InvalidHandleValueCountsAsNone)
{
    UniqueHandle file(CreateFileA("Z:\\no\\such\\folder\\file.txt", GENERIC_READ, 0, nullptr,
                                      OPEN_EXISTING, 0, nullptr));
    EXPECT_EQ(file.Get(), INVALID_HANDLE_VALUE);
    EXPECT_FALSE(file);
}

TEST(UniqueHandle, ReleaseGivesUpOwnership)
{
    UniqueHandle owner(CreateEventA(nullptr, TRUE, FALSE, nullptr));
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
        UniqueBrush owner(brush);
        UniqueFont font(CreateFontA(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0,
                                        "MS Shell Dlg"));
        EXPECT_TRUE(font);
    }
    EXPECT_EQ(GetObjectType(brush), 0u);
}

TEST(UniqueMenu, DestroysTheMenu)
{
    HMENU menu = CreatePopupMenu();
    {
        UniqueMenu owner(menu);
        EXPECT_TRUE(IsMenu(menu));
    }
    EXPECT_FALSE(IsMenu(menu));
}

}  // namespace
