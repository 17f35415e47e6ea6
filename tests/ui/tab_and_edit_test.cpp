#include <gtest/gtest.h>

#include <cstring>

#include "base/handles.h"
#include "tests/ui/ui_test_util.h"
#include "ui/clipboard_session.h"
#include "ui/edit.h"
#include "ui/tab_ctrl.h"

namespace {

TEST(TabCtrl, SelectingByProgramRaisesNoNotification)
{
    uitest::HostWindow host;
    RECT rect{6, 30, 306, 174};
    ui::TabCtrl tabs(ui::CreateChildWindow(WC_TABCONTROLA, "", WS_VISIBLE | TCS_FOCUSNEVER, 0, rect,
                                           host.Handle(), 1000).Handle());
    ASSERT_TRUE(tabs.IsValid());
    EXPECT_EQ(tabs.InsertItem(0, "Standard Resources"), 0);
    EXPECT_EQ(tabs.InsertItem(1, "Check individual resource"), 1);
    EXPECT_EQ(tabs.ItemCount(), 2);
    EXPECT_EQ(tabs.CurSel(), 0);

    host.notifyCodes.clear();
    EXPECT_EQ(tabs.SetCurSel(1), 0);
    EXPECT_EQ(tabs.CurSel(), 1);
    EXPECT_TRUE(host.notifyCodes.empty());

    // The display area lies below the tab headers and inside the control.
    RECT header = tabs.ItemRect(0);
    RECT display = tabs.ClientRect();
    tabs.AdjustRect(false, display);
    EXPECT_GE(display.top, header.bottom);
    EXPECT_GT(display.left, 0);
    EXPECT_LT(display.right, tabs.ClientRect().right);
}

TEST(Edit, PastesTheClipboardText)
{
    uitest::HostWindow host;
    RECT rect{0, 0, 200, 20};
    ui::Edit name(ui::CreateChildWindow("EDIT", "", WS_VISIBLE | ES_AUTOHSCROLL, 0, rect, host.Handle(),
                                        1001).Handle());
    {
        ui::ClipboardSession clipboard(host.Handle());
        ASSERT_TRUE(clipboard.IsOpen());
        EmptyClipboard();
        const char text[] = "SERVER01";
        UniqueGlobal block(GlobalAlloc(GMEM_MOVEABLE, sizeof(text)));
        std::memcpy(GlobalLock(block.Get()), text, sizeof(text));
        GlobalUnlock(block.Get());
        ASSERT_TRUE(SetClipboardData(CF_TEXT, block.Get()));
        block.Release();
    }
    name.SetText("PC-");
    name.SetSel(3, 3);
    name.Paste();
    EXPECT_EQ(name.Text(), "PC-SERVER01");

    name.SetSel(0, 2);
    name.ReplaceSel("XX");
    EXPECT_EQ(name.Text(), "XX-SERVER01");
}

}  // namespace
