#include <gtest/gtest.h>

#include "tests/ui/ui_test_util.h"
#include "ui/splitter.h"
#include "ui/tree_view.h"

namespace {

class SplitterLayout : public ::testing::Test {
protected:
    void SetUp() override
    {
        RECT area{0, 0, 600, 400};
        ASSERT_TRUE(splitter.Create(host.Handle(), 0xE900, area));
        RECT none{0, 0, 0, 0};
        left = ui::CreateChildWindow(WC_TREEVIEWA, "", WS_VISIBLE | TVS_HASLINES, WS_EX_CLIENTEDGE, none,
                                     splitter.Handle(), 1);
        right = ui::CreateChildWindow(WC_LISTVIEWA, "", WS_VISIBLE | LVS_REPORT, WS_EX_CLIENTEDGE, none,
                                      splitter.Handle(), 2);
        splitter.SetColumnInfo(0, 150, 10);
        splitter.SetColumnInfo(1, 150, 10);
        splitter.SetPanes(left.Handle(), right.Handle());
        bar = splitter.BarWidth();
    }

    RECT PaneRect(const ui::Window& pane) const
    {
        RECT rect = pane.WindowRect();
        splitter.ScreenToClient(rect);
        return rect;
    }

    void Mouse(UINT message, int x)
    {
        splitter.SendMsg(message, message == WM_LBUTTONDOWN ? MK_LBUTTON : 0, MAKELPARAM(x, 20));
    }

    uitest::HostWindow host;
    ui::Splitter splitter;
    ui::Window left, right;
    int bar = 0;
};

TEST_F(SplitterLayout, LeftColumnGetsItsIdealWidthAndTheRightOneTheRest)
{
    ASSERT_GT(bar, 0);
    RECT leftRect = PaneRect(left);
    RECT rightRect = PaneRect(right);
    EXPECT_EQ(leftRect.left, 0);
    EXPECT_EQ(leftRect.right, 150);
    EXPECT_EQ(leftRect.bottom, 400);
    EXPECT_EQ(rightRect.left, 150 + bar);
    EXPECT_EQ(rightRect.right, 600);
    EXPECT_EQ(rightRect.bottom, 400);
    EXPECT_EQ(splitter.ColumnWidth(0), 150);
    EXPECT_EQ(splitter.ColumnWidth(1), 600 - 150 - bar);
}

TEST_F(SplitterLayout, NarrowSplitterKeepsTheMinimums)
{
    // Too narrow for the ideal width: the right column keeps its minimum.
    splitter.Move(0, 0, 100, 400);
    EXPECT_EQ(PaneRect(left).right, 100 - bar - 10);
    EXPECT_EQ(PaneRect(right).right - PaneRect(right).left, 10);

    // Too narrow for both minimums: the left column keeps its own.
    splitter.Move(0, 0, 20, 400);
    EXPECT_EQ(splitter.ColumnWidth(0), 10);
    EXPECT_EQ(splitter.ColumnWidth(1), 20 - 10 - bar);

    // Wide again: the ideal width comes back.
    splitter.Move(0, 0, 600, 400);
    EXPECT_EQ(PaneRect(left).right, 150);
}

TEST_F(SplitterLayout, DraggingTheBarStopsAtTheMinimum)
{
    Mouse(WM_LBUTTONDOWN, 151);  // grab the bar one pixel inside
    EXPECT_EQ(GetCapture(), splitter.Handle());
    Mouse(WM_MOUSEMOVE, 301);
    EXPECT_EQ(splitter.ColumnWidth(0), 300);
    EXPECT_EQ(PaneRect(right).left, 300 + bar);
    Mouse(WM_MOUSEMOVE, 3);
    EXPECT_EQ(splitter.ColumnWidth(0), 10);
    Mouse(WM_MOUSEMOVE, 597);
    EXPECT_EQ(splitter.ColumnWidth(1), 10);
    Mouse(WM_LBUTTONUP, 597);
    EXPECT_NE(GetCapture(), splitter.Handle());

    // After the release the mouse no longer moves the bar.
    int settled = splitter.ColumnWidth(0);
    Mouse(WM_MOUSEMOVE, 200);
    EXPECT_EQ(splitter.ColumnWidth(0), settled);
}

TEST_F(SplitterLayout, PressingBesideTheBarStartsNoDrag)
{
    Mouse(WM_LBUTTONDOWN, 150 + bar + 5);
    Mouse(WM_MOUSEMOVE, 250);
    EXPECT_EQ(splitter.ColumnWidth(0), 150);
    EXPECT_NE(GetCapture(), splitter.Handle());
}

TEST_F(SplitterLayout, PaneNotificationsReachTheSplittersParent)
{
    ui::TreeView tree(left.Handle());
    HTREEITEM root = tree.InsertItem(TVI_ROOT, "[Resources]", 0, 0);
    HTREEITEM hardware = tree.InsertItem(root, "Hardware", 1, 1);
    HWND from = nullptr;
    host.onNotify = [&](NMHDR* header, LRESULT& result) {
        if (header->code == TVN_SELCHANGEDA || header->code == TVN_SELCHANGEDW)
            from = header->hwndFrom;
        result = 0;
        return true;
    };
    tree.Select(hardware);
    EXPECT_EQ(tree.Selection(), hardware);
    EXPECT_EQ(from, tree.Handle());
}

TEST(SplitterLeftWidth, FollowsTheRules)
{
    ui::SplitterColumn left{150, 10}, right{0, 10};
    EXPECT_EQ(ui::SplitterLeftWidth(600, 5, left, right), 150);
    EXPECT_EQ(ui::SplitterLeftWidth(100, 5, left, right), 85);
    EXPECT_EQ(ui::SplitterLeftWidth(20, 5, left, right), 10);
    EXPECT_EQ(ui::SplitterLeftWidth(8, 5, left, right), 3);  // never wider than the space
    EXPECT_EQ(ui::SplitterLeftWidth(0, 5, left, right), 0);
}

}  // namespace
