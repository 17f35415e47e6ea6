// The interface font of the data controls: it must draw underscores in either language
// (a Japanese system font under Wine draws none), and rows must leave room for them.
#include <gtest/gtest.h>

#include "tests/ui/ui_test_util.h"
#include "ui/ui_font.h"

TEST(UiFont, SystemInterfaceFontDrawsUnderscoresAndRowsLeaveThemRoom)
{
    UniqueFont font = ui::CreateSystemUiFont();
    ASSERT_TRUE(font);
    EXPECT_TRUE(ui::DrawsUnderscore(font.Get())) << "\"my_pc_01\" must not read \"my pc 01\"";

    uitest::HostWindow host;
    RECT rect{0, 0, 300, 200};
    ui::Window combo = ui::CreateChildWindow("COMBOBOX", "", WS_VISIBLE | CBS_DROPDOWNLIST, 0, rect, host.Handle(), 1);
    combo.SendMsg(WM_SETFONT, reinterpret_cast<WPARAM>(font.Get()), FALSE);
    ui::FitComboRowsToFont(combo.Handle());
    HDC dc = GetDC(combo.Handle());
    HGDIOBJ old = SelectObject(dc, font.Get());
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(combo.Handle(), dc);
    const int row = ui::RoomyRowHeight(combo.Handle());
    EXPECT_GE(row, metrics.tmHeight + 3);
    EXPECT_GE(combo.SendMsg(CB_GETITEMHEIGHT, static_cast<WPARAM>(-1)), row) << "the field";
}
