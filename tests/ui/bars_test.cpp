#include <gtest/gtest.h>

#include <string>

#include "tests/ui/ui_test_util.h"
#include "ui/image_list.h"
#include "ui/status_bar.h"
#include "ui/tool_bar.h"

namespace {

std::string ToolTipOf(int command)
{
    return command == 57636 ? "Find" : "Command " + std::to_string(command);
}

TEST(ToolBar, ButtonsSeparatorsAndTooltipsFromTheCallback)
{
    uitest::HostWindow host;
    std::wstring tipStorage;
    host.onNotify = [&](NMHDR* header, LRESULT& result) {
        result = 0;
        return ui::ToolBar::ServeToolTip(header, ToolTipOf, tipStorage);
    };
    ui::ImageList images = ui::ImageList::Create(16, 16, ILC_COLOR24 | ILC_MASK, 6, 0);
    ui::ToolBar bar = ui::ToolBar::Create(host.Handle(), 59392);
    ASSERT_TRUE(bar.IsValid());
    bar.SetImageList(images.Handle());
    ASSERT_TRUE(bar.AddButtons({{57603, 0}, {57604, 1}, {}, {57634, 2}, {57637, 3}, {57636, 4}, {}, {57664, 5}}));
    EXPECT_EQ(bar.ButtonCount(), 8);

    EXPECT_TRUE(bar.IsButtonEnabled(57604));
    bar.EnableButton(57604, false);
    EXPECT_FALSE(bar.IsButtonEnabled(57604));

    // Ask the toolbar's own tooltip control for the text of a button.
    HWND tips = reinterpret_cast<HWND>(bar.SendMsg(TB_GETTOOLTIPS));
    ASSERT_TRUE(tips);
    wchar_t text[80] = L"";
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.hwnd = bar.Handle();
    tool.uId = 57636;
    tool.lpszText = text;
    SendMessageW(tips, TTM_GETTEXTW, std::size(text), reinterpret_cast<LPARAM>(&tool));
    EXPECT_STREQ(text, L"Find");
}

TEST(ToolBar, ServeToolTipIgnoresOtherNotifications)
{
    std::wstring storage;
    NMHDR other{nullptr, 1, static_cast<UINT>(NM_CLICK)};
    EXPECT_FALSE(ui::ToolBar::ServeToolTip(&other, ToolTipOf, storage));

    NMTTDISPINFOW wide{};
    wide.hdr.code = TTN_GETDISPINFOW;
    wide.hdr.idFrom = 57636;
    EXPECT_TRUE(ui::ToolBar::ServeToolTip(&wide.hdr, ToolTipOf, storage));
    EXPECT_STREQ(wide.lpszText, L"Find");
}

TEST(StatusBar, PartsKeepTheirTexts)
{
    uitest::HostWindow host;
    ui::StatusBar status = ui::StatusBar::Create(host.Handle(), 59393);
    ASSERT_TRUE(status.IsValid());
    ASSERT_TRUE(status.SetParts({300, 350, 400, -1}));
    EXPECT_EQ(status.PartCount(), 4);
    status.SetPartText(0, "Ready");
    status.SetPartText(1, "CAP");
    EXPECT_EQ(status.PartText(0), "Ready");
    EXPECT_EQ(status.PartText(1), "CAP");
    EXPECT_EQ(status.PartText(3), "");
}

TEST(StatusBar, ATextTooLongForItsPartIsItsTooltipToo)
{
    uitest::HostWindow host;
    ui::StatusBar status = ui::StatusBar::Create(host.Handle(), 59393);
    ASSERT_TRUE(status.SetParts({60, -1}));
    const std::string longText = "調査 12345 としてストアに記録しました。 Recorded in the inventory store as check 12345.";
    status.SetPartText(0, longText);
    EXPECT_EQ(status.PartText(0), longText);
    EXPECT_EQ(status.PartTip(0), longText);
    status.SetPartText(0, "Ready");
    EXPECT_EQ(status.PartTip(0), "Ready");
}

}  // namespace
