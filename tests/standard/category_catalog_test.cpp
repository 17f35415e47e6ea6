#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "individual/class_catalog.h"
#include "base/text_util.h"
#include "base/narrow.h"
#include "resources/text.h"
#include "standard/category_catalog.h"

namespace {

std::vector<std::wstring> PropertyList(const StandardCategory& category)
{
    std::vector<std::wstring> names;
    for (const wchar_t* const* name = category.propertyNames; *name; ++name)
        names.push_back(*name);
    return names;
}

// The names between "Select " and " from <class>", split at the commas.
std::vector<std::wstring> SelectList(const StandardCategory& category)
{
    const std::string query = category.query;
    const std::string head = "Select ";
    const std::string tail = std::string(" from ") + category.className;
    EXPECT_EQ(query.rfind(head, 0), 0u) << query;
    EXPECT_TRUE(query.ends_with(tail)) << query;
    std::string list = query.substr(head.size(), query.size() - head.size() - tail.size());
    std::vector<std::wstring> names;
    size_t start = 0;
    for (size_t comma; (comma = list.find(',', start)) != std::string::npos; start = comma + 1)
        names.push_back(ToWide(list.substr(start, comma - start)));
    names.push_back(ToWide(list.substr(start)));
    return names;
}

class English : public testing::Test {
protected:
    void SetUp() override { SetTextLanguage(kEnglishLanguage); }
    void TearDown() override { SetTextLanguage(0); }
};

}  // namespace

TEST(CategoryCatalog, RecordsFollowStoreOrderPagesLabelsAndIcons)
{
    const int expectedColumns[kCategoryCount] = {9, 6, 10, 10, 4, 4, 13, 6, 6, 19, 11, 10, 11, 10,
                                                 22, 16, 5, 9, 10, 21, 9, 4, 12, 13, 6, 11, 5, 8};
    std::set<int> labels, icons;
    for (int i = 0; i < kCategoryCount; ++i) {
        const StandardCategory& category = kStandardCategories[i];
        SCOPED_TRACE(category.className);
        EXPECT_EQ(category.storeIndex, i);
        EXPECT_EQ(category.page, i + kFirstCategoryPage);
        EXPECT_EQ(category.columnCount, expectedColumns[i]);
        EXPECT_EQ(static_cast<int>(PropertyList(category).size()), category.columnCount);
        labels.insert(category.labelStringId);
        icons.insert(category.treeIconId);
    }
    EXPECT_EQ(labels.size(), 28u);
    EXPECT_EQ(*labels.begin(), 4005);
    EXPECT_EQ(*labels.rbegin(), 4032);
    EXPECT_EQ(icons.size(), 28u);
    EXPECT_EQ(*icons.begin(), 322);
    EXPECT_EQ(*icons.rbegin(), 349);
}

TEST(CategoryCatalog, ClassesAgreeWithTheClassCatalog)
{
    for (const StandardCategory& category : kStandardCategories) {
        SCOPED_TRACE(category.className);
        const ClassCatalogEntry* entry = FindClass(category.classId);
        ASSERT_NE(entry, nullptr);
        EXPECT_STREQ(entry->className, category.className);
        // Every shown property is one the class has (WMI names ignore case).
        for (const std::wstring& name : PropertyList(category)) {
            bool known = false;
            for (const wchar_t* const* p = entry->propertyNames; *p && !known; ++p)
                known = _wcsicmp(*p, name.c_str()) == 0;
            EXPECT_TRUE(known) << ToNarrow(name);
        }
    }
    EXPECT_EQ(kStandardCategories[2].classId, 1009);    // Win32_BIOS
    EXPECT_EQ(kStandardCategories[1].classId, 1057);    // Win32_IDEController
}

TEST(CategoryCatalog, QueriesSelectExactlyThePropertyListExceptProduct)
{
    for (const StandardCategory& category : kStandardCategories) {
        SCOPED_TRACE(category.className);
        if (category.storeIndex == 25)
            continue;
        EXPECT_EQ(SelectList(category), PropertyList(category));
        EXPECT_EQ(std::string(category.query).find(" where "), std::string::npos);
    }
    const StandardCategory& product = kStandardCategories[25];
    EXPECT_STREQ(product.className, "Win32_Product");
    EXPECT_STREQ(product.query, "Select * from Win32_Product");
    EXPECT_EQ(PropertyList(product),
              (std::vector<std::wstring>{L"Name", L"Description", L"Vendor", L"Version",
                                         L"Language", L"IdentifyingNumber", L"InstallDate",
                                         L"InstallLocation", L"InstallSource", L"PackageName",
                                         L"PackageCode"}));
}

TEST(CategoryCatalog, FirstColumnIsNameButForTwoCategories)
{
    for (const StandardCategory& category : kStandardCategories) {
        SCOPED_TRACE(category.className);
        const std::wstring first = category.propertyNames[0];
        if (category.storeIndex == 13) {
            EXPECT_EQ(first, L"Index");
            EXPECT_EQ(category.columns[0].headerStringId, 1618);
        } else if (category.storeIndex == 27) {
            EXPECT_EQ(first, L"HotFixID");
            EXPECT_EQ(category.columns[0].headerStringId, 1759);
        } else {
            EXPECT_EQ(first, L"Name");
            EXPECT_EQ(category.columns[0].headerStringId, 1600);
        }
    }
}

TEST(CategoryCatalog, NumericSortColumnsAreValidAndIndependentOfAlignment)
{
    int numericTotal = 0;
    for (const StandardCategory& category : kStandardCategories) {
        for (int i = 0; i < category.numericSortColumnCount; ++i) {
            EXPECT_GE(category.numericSortColumns[i], 0);
            EXPECT_LT(category.numericSortColumns[i], category.columnCount);
            if (i > 0) {
                EXPECT_LT(category.numericSortColumns[i - 1], category.numericSortColumns[i]);
            }
        }
        numericTotal += category.numericSortColumnCount;
    }
    EXPECT_EQ(numericTotal, 51);
    // Network Adapter "Max. Speed" and Network Adapter Configuration "Index": numeric, left.
    EXPECT_TRUE(IsNumericSortColumn(16, 6));
    EXPECT_FALSE(kStandardCategories[12].columns[6].rightAligned);
    EXPECT_TRUE(IsNumericSortColumn(17, 0));
    EXPECT_FALSE(kStandardCategories[13].columns[0].rightAligned);
    // Video Controller "Adapter RAM", System "Free ... Memory (KB)": right, but text.
    EXPECT_FALSE(IsNumericSortColumn(18, 5));
    EXPECT_TRUE(kStandardCategories[14].columns[5].rightAligned);
    EXPECT_FALSE(IsNumericSortColumn(23, 9));
    EXPECT_FALSE(IsNumericSortColumn(23, 10));
    EXPECT_TRUE(kStandardCategories[19].columns[9].rightAligned);
    EXPECT_TRUE(kStandardCategories[19].columns[10].rightAligned);
    // Disk Drive sorts ten columns as numbers; root, group and unknown pages none.
    for (int column : {4, 8, 10, 11, 12, 13, 14, 16, 17, 18})
        EXPECT_TRUE(IsNumericSortColumn(13, column)) << column;
    EXPECT_FALSE(IsNumericSortColumn(13, 0));
    EXPECT_FALSE(IsNumericSortColumn(0, 0));
    EXPECT_FALSE(IsNumericSortColumn(1, 0));
    EXPECT_FALSE(IsNumericSortColumn(32, 0));
    EXPECT_FALSE(IsNumericSortColumn(11, 7));   // CD-ROM Drive: 7 is numeric, on page 4
    EXPECT_TRUE(IsNumericSortColumn(4, 7));
}

TEST(CategoryCatalog, PagesOfTheTree)
{
    for (int page : {-1, 0, 1, 2, 3, 32, 1000})
        EXPECT_EQ(CategoryByPage(page), nullptr) << page;
    EXPECT_EQ(CategoryByPage(4), &kStandardCategories[0]);
    EXPECT_EQ(CategoryByPage(31), &kStandardCategories[27]);
    EXPECT_EQ(CategoryByStoreIndex(-1), nullptr);
    EXPECT_EQ(CategoryByStoreIndex(28), nullptr);
    EXPECT_EQ(CategoryByStoreIndex(22)->labelStringId, 4024);

    // The image list of the tree takes the icons in page order.
    const int iconOfPage[kPageCount] = {318, 320, 321, 319, 322, 323, 324, 325, 326, 327, 328,
                                        329, 330, 331, 332, 333, 334, 335, 336, 337, 338, 339,
                                        340, 342, 343, 348, 341, 344, 345, 346, 347, 349};
    for (int page = 0; page < kPageCount; ++page)
        EXPECT_EQ(PageIconId(page), iconOfPage[page]) << page;
    EXPECT_EQ(PageLabelStringId(0), 4001);
    EXPECT_EQ(PageLabelStringId(1), 4003);
    EXPECT_EQ(PageLabelStringId(2), 4004);
    EXPECT_EQ(PageLabelStringId(3), 4002);
    EXPECT_EQ(PageLabelStringId(25), 4031);
    EXPECT_EQ(PageLabelStringId(32), 0);
    EXPECT_EQ(PageIconId(-1), 0);
}

TEST(CategoryCatalog, GroupsHoldTheirStoresInTreeOrder)
{
    struct Expected {
        CategoryGroup group;
        int page, label, icon, first, last;
    };
    const Expected groups[] = {{CategoryGroup::Hardware, 1, 4003, 320, 0, 18},
                               {CategoryGroup::OperatingSystem, 2, 4004, 321, 19, 24},
                               {CategoryGroup::Software, 3, 4002, 319, 25, 27}};
    int position = 0;
    for (const Expected& expected : groups) {
        EXPECT_EQ(kGroupsInTreeOrder[position++], expected.group);
        EXPECT_EQ(GroupPage(expected.group), expected.page);
        EXPECT_EQ(GroupLabelStringId(expected.group), expected.label);
        EXPECT_EQ(GroupIconId(expected.group), expected.icon);
        std::vector<const StandardCategory*> members = CategoriesOfGroup(expected.group);
        ASSERT_EQ(static_cast<int>(members.size()), expected.last - expected.first + 1);
        for (size_t i = 0; i < members.size(); ++i)
            EXPECT_EQ(members[i]->storeIndex, expected.first + static_cast<int>(i));
    }
}

TEST_F(English, OperatingSystemGroupListsItsLabelsInStoreOrder)
{
    std::vector<std::string> labels;
    for (const StandardCategory* category : CategoriesOfGroup(CategoryGroup::OperatingSystem))
        labels.push_back(LoadText(category->labelStringId));
    EXPECT_EQ(labels, (std::vector<std::string>{"System", "Service", "Network Client",
                                                "Logical Disk", "User Account", "Group"}));
}

TEST_F(English, LabelLookupIgnoresCase)
{
    EXPECT_EQ(CategoryByLabel("cd-rom drive"), &kStandardCategories[0]);
    EXPECT_EQ(CategoryByLabel("CD-ROM Drive"), &kStandardCategories[0]);
    EXPECT_EQ(CategoryByLabel("LOGICAL DISK"), &kStandardCategories[22]);
    EXPECT_EQ(CategoryByLabel("quick fix engineering"), &kStandardCategories[27]);
    EXPECT_EQ(CategoryByLabel("Hardware"), nullptr);   // a group, not a category
    EXPECT_EQ(CategoryByLabel("Logical Disk "), nullptr);
    EXPECT_EQ(CategoryByLabel(""), nullptr);
    for (const StandardCategory& category : kStandardCategories)
        EXPECT_EQ(CategoryByLabel(LoadText(category.labelStringId)), &category);
}

TEST(CategoryTexts, EveryLabelAndHeaderExistsInBothLanguages)
{
    std::set<int> ids = {1609};   // "Category", the header of the root page
    for (int id = 4001; id <= 4032; ++id)
        ids.insert(id);
    for (const StandardCategory& category : kStandardCategories) {
        for (int i = 0; i < category.columnCount; ++i) {
            EXPECT_GE(category.columns[i].headerStringId, 1600);
            EXPECT_LE(category.columns[i].headerStringId, 1765);
            ids.insert(category.columns[i].headerStringId);
        }
    }
    EXPECT_EQ(ids.size(), 163u + 32u);
    for (int id : ids) {
        EXPECT_NE(LoadTextInLanguage(id, kEnglishLanguage), L"") << id;
        EXPECT_NE(LoadTextInLanguage(id, kJapaneseLanguage), L"") << id;
    }
}

TEST(CategoryTexts, EnglishTextsAsWritten)
{
    auto english = [](int id) { return ToNarrow(LoadTextInLanguage(id, kEnglishLanguage)); };
    EXPECT_EQ(english(4001), "[Resources]");
    EXPECT_EQ(english(4002), "Software");
    EXPECT_EQ(english(4003), "Hardware");
    EXPECT_EQ(english(4004), "Operating System");
    EXPECT_EQ(english(4005), "CD-ROM Drive");
    EXPECT_EQ(english(4018), "Network Adapter Configuration");
    EXPECT_EQ(english(4032), "Quick Fix Engineering");
    EXPECT_EQ(english(1609), "Category");
    EXPECT_EQ(english(1697), "Architecture");
    EXPECT_EQ(english(1708), "Form Factor");
    EXPECT_EQ(english(1721), "Local");
    EXPECT_EQ(english(1711), "Speed (Nano Sec.)");
    EXPECT_EQ(english(1653), "Pixel / X Logical Inch");
    EXPECT_EQ(english(1758), "Size (Bytes)");
    EXPECT_EQ(english(1727), "Total Visible Memory Size (KB)");
    EXPECT_EQ(english(1603), "Manufacturer");   // also the header of MonitorManufacturer
    EXPECT_EQ(kStandardCategories[11].columns[4].headerStringId, 1603);
}

// Run under the Japanese locale as well (see the japanese filter file).
TEST(JapaneseTexts, LabelsLoadAndLookUpInTheUserInterfaceLanguage)
{
    const bool japanese = TextLanguage() == kJapaneseLanguage;
    EXPECT_EQ(japanese, GetACP() == 932);   // the Japanese run really is Japanese
    const std::string logicalDisk = LoadText(4024);
    EXPECT_EQ(logicalDisk, japanese ? ToNarrow(L"\u8ad6\u7406\u30c7\u30a3\u30b9\u30af")
                                    : std::string("Logical Disk"));
    EXPECT_EQ(CategoryByLabel(logicalDisk), &kStandardCategories[22]);
    // Lower case of the Latin part still finds the category (multi-byte aware).
    std::wstring lower = LoadTextW(4005);
    for (wchar_t& c : lower)
        c = (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c - L'A' + L'a') : c;
    EXPECT_NE(ToNarrow(lower), LoadText(4005));
    EXPECT_EQ(CategoryByLabel(ToNarrow(lower)), &kStandardCategories[0]);
    if (japanese) {
        EXPECT_EQ(CategoryByLabel("Logical Disk"), nullptr);
    }
}
