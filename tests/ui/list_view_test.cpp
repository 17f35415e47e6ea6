#include <gtest/gtest.h>

#include <string>

#include "tests/ui/ui_test_util.h"
#include "ui/list_view.h"

namespace {

ui::ListView CreateReportList(HWND parent, DWORD extraStyle)
{
    RECT rect{0, 0, 400, 300};
    ui::Window list = ui::CreateChildWindow(WC_LISTVIEWA, "", WS_VISIBLE | LVS_REPORT | extraStyle, 0,
                                            rect, parent, 1016);
    return ui::ListView(list.Handle());
}

std::string CellOfModel(int item, int subItem)
{
    return "row " + std::to_string(item) + " col " + std::to_string(subItem);
}

TEST(ListView, VirtualListAsksItsParentForEveryCell)
{
    uitest::HostWindow host;
    int requests = 0;
    host.onNotify = [&](NMHDR* header, LRESULT& result) {
        result = 0;
        requests += header->code == LVN_GETDISPINFOA || header->code == LVN_GETDISPINFOW;
        return ui::ListView::ServeDispInfo(header, CellOfModel);
    };
    ui::ListView list = CreateReportList(host.Handle(), LVS_OWNERDATA);
    list.InsertColumn(0, "Group", 50, LVCFMT_RIGHT);
    list.InsertColumn(1, "Name", 150);
    list.InsertColumn(2, "Value", 300);

    ASSERT_TRUE(list.SetItemCountEx(100000));
    EXPECT_EQ(list.ItemCount(), 100000);
    EXPECT_EQ(list.ItemText(54321, 2), "row 54321 col 2");
    EXPECT_EQ(list.ItemText(0, 0), "row 0 col 0");
    EXPECT_GT(requests, 0);
}

TEST(ListView, LongCellTextsComeBackWhole)
{
    uitest::HostWindow host;
    const std::string longText(5000, 'x');
    host.onNotify = [&](NMHDR* header, LRESULT&) {
        return ui::ListView::ServeDispInfo(header, [&](int, int) { return longText; });
    };
    ui::ListView virtualList = CreateReportList(host.Handle(), LVS_OWNERDATA);
    virtualList.InsertColumn(0, "Value", 100);
    virtualList.SetItemCountEx(1);
    std::string served = virtualList.ItemText(0, 0);
    // The list view may cut what it passes on, but never returns garbage.
    EXPECT_EQ(served, longText.substr(0, served.size()));
    EXPECT_GE(served.size(), 259u);

    ui::ListView normalList = CreateReportList(host.Handle(), 0);
    normalList.InsertColumn(0, "Value", 100);
    normalList.InsertItem(0, longText);
    EXPECT_EQ(normalList.ItemText(0, 0), longText);
}

TEST(ListView, HitTestFindsTheCellUnderAPoint)
{
    uitest::HostWindow host;
    ui::ListView list = CreateReportList(host.Handle(), 0);
    list.InsertColumn(0, "Name", 80);
    list.InsertColumn(1, "Type", 90);
    list.InsertColumn(2, "Value", 100);
    for (int row = 0; row < 5; ++row) {
        list.InsertItem(row, "name" + std::to_string(row));
        list.SetItemText(row, 1, "type");
        list.SetItemText(row, 2, "value");
    }

    RECT cell = list.SubItemRect(3, 2);
    ASSERT_GT(cell.right, cell.left);
    POINT middle{(cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2};
    ui::ListCell hit = list.SubItemHitTest(middle);
    EXPECT_EQ(hit.item, 3);
    EXPECT_EQ(hit.subItem, 2);

    RECT first = list.SubItemRect(0, 1);
    hit = list.SubItemHitTest(POINT{first.left + 2, first.top + 2});
    EXPECT_EQ(hit.item, 0);
    EXPECT_EQ(hit.subItem, 1);

    // Below the last row there is no cell.
    RECT last = list.ItemRect(4);
    hit = list.SubItemHitTest(POINT{20, last.bottom + 30});
    EXPECT_EQ(hit.item, -1);
    EXPECT_EQ(hit.subItem, -1);
}

TEST(ListView, ColumnsCanBeReadBackAndRemoved)
{
    uitest::HostWindow host;
    ui::ListView list = CreateReportList(host.Handle(), 0);
    list.InsertColumn(0, "Name", 150);
    list.InsertColumn(1, "Size", 100, LVCFMT_RIGHT);
    EXPECT_EQ(list.ColumnCount(), 2);
    EXPECT_EQ(list.ColumnText(1), "Size");
    EXPECT_EQ(list.ColumnFormat(1), LVCFMT_RIGHT);
    EXPECT_EQ(list.ColumnWidth(0), 150);

    // How a page empties the list: delete column 0 as often as there are columns.
    for (int count = list.ColumnCount(); count > 0; --count)
        list.DeleteColumn(0);
    EXPECT_EQ(list.ColumnCount(), 0);
}

TEST(ListView, SelectingAddsToTheSelection)
{
    uitest::HostWindow host;
    ui::ListView list = CreateReportList(host.Handle(), LVS_SHOWSELALWAYS);
    list.InsertColumn(0, "Name", 100);
    for (int row = 0; row < 8; ++row)
        list.InsertItem(row, std::to_string(row), -1, row * 10);
    EXPECT_EQ(list.FirstSelected(), -1);

    list.SelectAndFocus(5);
    list.SelectAndFocus(2);
    EXPECT_EQ(list.FirstSelected(), 2);
    EXPECT_EQ(list.SelectedCount(), 2);
    EXPECT_EQ(list.NextItem(-1, LVNI_FOCUSED), 2);
    EXPECT_EQ(list.ItemData(5), 50);
}

}  // namespace
