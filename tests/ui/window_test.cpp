#include <gtest/gtest.h>

#include <string>

#include "base/narrow.h"
#include "tests/support/japanese_run.h"
#include "tests/ui/ui_test_util.h"
#include "ui/window.h"

namespace {

TEST(Window, TextRoundTripsInTheAnsiCodePage)
{
    uitest::HostWindow host;
    RECT rect{0, 0, 200, 20};
    ui::Window edit = ui::CreateChildWindow("EDIT", "", WS_VISIBLE, 0, rect, host.Handle(), 1001);
    ASSERT_TRUE(edit.IsValid());
    EXPECT_EQ(edit.Text(), "");
    std::string name = ToNarrow(L"\u30b5\u30fc\u30d0\u30fc-01");  // a Japanese computer name
    EXPECT_TRUE(edit.SetText(name));
    EXPECT_EQ(edit.Text(), name);
    EXPECT_EQ(edit.ControlId(), 1001);
    EXPECT_EQ(edit.Parent().Handle(), host.Handle());
}

TEST(Window, ScreenToClientOfARectangle)
{
    uitest::HostWindow host;
    RECT rect{30, 40, 130, 90};
    ui::Window child = ui::CreateChildWindow("STATIC", "", WS_VISIBLE, 0, rect, host.Handle(), 1);
    RECT placed = child.WindowRect();
    host.ScreenToClient(placed);
    EXPECT_EQ(placed.left, 30);
    EXPECT_EQ(placed.top, 40);
    EXPECT_EQ(placed.right, 130);
    EXPECT_EQ(placed.bottom, 90);
}

TEST(TextBuffer, CutsOnlyBetweenCharacters)
{
    wchar_t buffer[8];
    EXPECT_EQ(CopyTextToBuffer(L"Mirel", buffer, std::size(buffer)), 5u);
    EXPECT_STREQ(buffer, L"Mirel");
    EXPECT_EQ(CopyTextToBuffer(L"0123456789", buffer, std::size(buffer)), 7u);
    EXPECT_STREQ(buffer, L"0123456");
    EXPECT_EQ(CopyTextToBuffer(L"abc", buffer, 1), 0u);
    EXPECT_STREQ(buffer, L"");
    // A surrogate pair (U+1D11E) is never cut in half.
    EXPECT_EQ(CopyTextToBuffer(L"012345\U0001D11E", buffer, std::size(buffer)), 6u);
    EXPECT_STREQ(buffer, L"012345");
}

}  // namespace
