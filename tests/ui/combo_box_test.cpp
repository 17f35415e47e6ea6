#include <gtest/gtest.h>

#include <map>
#include <string>

#include "base/narrow.h"
#include "tests/ui/ui_test_util.h"
#include "ui/combo_box.h"

namespace {

ui::ComboBox CreateSortedDropDown(HWND parent)
{
    RECT rect{0, 0, 300, 200};
    ui::Window combo = ui::CreateChildWindow(
        "COMBOBOX", "", WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_SORT, 0, rect, parent, 1012);
    return ui::ComboBox(combo.Handle());
}

TEST(ComboBox, ItemDataFollowsItsEntryIntoTheSortedPlace)
{
    uitest::HostWindow host;
    ui::ComboBox combo = CreateSortedDropDown(host.Handle());
    const std::map<std::string, LPARAM> entries = {
        {"Operating System Classes", 103}, {"<Select a Class>", 100},
        {"Computer System Hardware Classes", 101}, {"WMI Service Management Classes", 105},
        {"Installed Applications Classes", 102}, {"Performance Counter Classes", 104}};
    for (const auto& [text, data] : entries)
        ASSERT_GE(combo.AddString(text, data), 0);

    // The list sorted itself: the placeholder comes first although added second.
    ASSERT_EQ(combo.Count(), 6);
    EXPECT_EQ(combo.ItemText(0), "<Select a Class>");
    EXPECT_EQ(combo.ItemText(5), "WMI Service Management Classes");
    for (int index = 0; index < combo.Count(); ++index) {
        std::string text = combo.ItemText(index);
        EXPECT_EQ(combo.ItemData(index), entries.at(text)) << text;
    }
}

TEST(ComboBox, SelectsByPrefixIgnoringCase)
{
    uitest::HostWindow host;
    ui::ComboBox combo = CreateSortedDropDown(host.Handle());
    combo.AddString("Networking Devices", 7);
    combo.AddString("<Select a Class>", 100);
    combo.AddString("Network Client", 8);
    EXPECT_EQ(combo.CurSel(), -1);

    int index = combo.SelectStringPrefix("<select");
    EXPECT_EQ(index, 0);
    EXPECT_EQ(combo.CurSel(), 0);
    EXPECT_EQ(combo.ItemData(combo.CurSel()), 100);

    combo.SelectStringPrefix("network");
    EXPECT_EQ(combo.ItemText(combo.CurSel()), "Network Client");
    EXPECT_EQ(combo.SelectStringPrefix("Printers"), CB_ERR);

    combo.Reset();
    EXPECT_EQ(combo.Count(), 0);
    EXPECT_EQ(combo.CurSel(), -1);
    EXPECT_EQ(combo.ItemText(0), "");
}

TEST(ComboBox, KeepsJapaneseEntriesAndTheirData)
{
    uitest::HostWindow host;
    ui::ComboBox combo = CreateSortedDropDown(host.Handle());
    std::string disk = ToNarrow(L"\u30c7\u30a3\u30b9\u30af");      // disk
    std::string network = ToNarrow(L"\u30cd\u30c3\u30c8\u30ef\u30fc\u30af");  // network
    combo.AddString(network, 2);
    combo.AddString(disk, 1);
    for (int index = 0; index < 2; ++index) {
        std::string text = combo.ItemText(index);
        EXPECT_EQ(combo.ItemData(index), text == disk ? 1 : 2);
    }
}

}  // namespace
