#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "base/class_ids.h"
#include "individual/class_catalog.h"
#include "individual/class_hierarchy.h"
#include "base/narrow.h"
#include "resources/text.h"

namespace {

std::vector<int> Codes(const std::vector<ListEntry>& entries)
{
    std::vector<int> codes;
    for (const ListEntry& entry : entries)
        codes.push_back(entry.code);
    return codes;
}

const ListEntry* EntryWithCode(const std::vector<ListEntry>& entries, int code)
{
    for (const ListEntry& entry : entries) {
        if (entry.code == code)
            return &entry;
    }
    return nullptr;
}

class EnglishLists : public testing::Test {
protected:
    void SetUp() override { SetTextLanguage(kEnglishLanguage); }
    void TearDown() override { SetTextLanguage(0); }
};

}  // namespace

TEST(ClassHierarchy, GroupsAndTheirCategories)
{
    EXPECT_EQ(ClassGroupCodes(), (std::vector<int>{101, 102, 103, 104, 105}));
    const std::map<int, size_t> categoriesPerGroup = {
        {101, 9}, {102, 21}, {103, 1}, {104, 1}, {105, 2}};
    for (auto [group, count] : categoriesPerGroup)
        EXPECT_EQ(CategoryCodesOfGroup(group).size(), count) << group;
    EXPECT_EQ(CategoryCodesOfGroup(103), (std::vector<int>{103}));
    EXPECT_EQ(CategoryCodesOfGroup(104), (std::vector<int>{231}));
    EXPECT_EQ(CategoryCodesOfGroup(105), (std::vector<int>{232, 233}));
    for (int code : {100, 106, 201, 0, -1})
        EXPECT_TRUE(CategoryCodesOfGroup(code).empty()) << code;

    for (int group = 101; group <= 105; ++group)
        EXPECT_EQ(ClassGroupStringId(group), 9000 + group - 100);
    EXPECT_EQ(ClassGroupStringId(100), 0);
    EXPECT_EQ(ClassCategoryStringId(103), 9003);
    for (int category = 201; category <= 233; ++category)
        EXPECT_EQ(ClassCategoryStringId(category), 9010 + category - 201);
    EXPECT_EQ(ClassCategoryStringId(234), 0);
}

TEST(ClassHierarchy, MemberCountsOfEveryCategory)
{
    const std::map<int, size_t> members = {
        {201, 4},  {202, 2},  {203, 6},  {204, 32}, {205, 2},  {206, 6}, {207, 5},
        {208, 1},  {209, 5},  {210, 8},  {211, 3},  {212, 3},  {213, 4}, {214, 8},
        {215, 5},  {216, 5},  {217, 1},  {218, 7},  {219, 12}, {220, 10}, {221, 3},
        {222, 1},  {223, 4},  {224, 6},  {225, 2},  {226, 5},  {227, 4}, {228, 5},
        {229, 8},  {230, 2},  {103, 40}, {231, 1},  {232, 47}, {233, 47}};
    size_t total = 0;
    for (int group : ClassGroupCodes()) {
        for (int category : CategoryCodesOfGroup(group)) {
            ASSERT_TRUE(members.count(category)) << category;
            EXPECT_EQ(ClassIdsOfCategory(category).size(), members.at(category)) << category;
            total += ClassIdsOfCategory(category).size();
        }
    }
    EXPECT_EQ(total, 304u);
    for (int code : {100, 101, 200, 234, 0})
        EXPECT_TRUE(ClassIdsOfCategory(code).empty()) << code;
}

TEST(ClassHierarchy, EveryClassStandsInOneCategoryButVolumeAndPerf)
{
    std::map<int, std::vector<int>> categoriesOfClass;
    for (int group : ClassGroupCodes()) {
        for (int category : CategoryCodesOfGroup(group)) {
            std::vector<int> ids = ClassIdsOfCategory(category);
            std::sort(ids.begin(), ids.end());
            EXPECT_EQ(std::adjacent_find(ids.begin(), ids.end()), ids.end()) << category;
            for (int id : ids)
                categoriesOfClass[id].push_back(category);
        }
    }
    ASSERT_EQ(categoriesOfClass.size(), 302u);
    EXPECT_EQ(categoriesOfClass.begin()->first, 1000);
    EXPECT_EQ(categoriesOfClass.rbegin()->first, 1301);
    for (const auto& [id, categories] : categoriesOfClass) {
        if (id == ClassId::Win32_Volume) {
            EXPECT_EQ(categories, (std::vector<int>{214, 228}));
        } else if (id == ClassId::Win32_Perf) {
            EXPECT_EQ(categories, (std::vector<int>{232, 233}));
        } else {
            EXPECT_EQ(categories.size(), 1u) << id;
        }
    }
    EXPECT_EQ(ClassId::Win32_Volume, 1296);
    EXPECT_EQ(ClassId::Win32_Perf, 1113);
}

TEST(ClassHierarchy, PerformanceCategoriesHoldTheirFamilies)
{
    auto check = [](int category, const std::string& family, int baseClass) {
        for (int id : ClassIdsOfCategory(category)) {
            const std::string name = FindClass(id)->className;
            EXPECT_TRUE(id == ClassId::Win32_Perf || id == baseClass ||
                        name.starts_with(family + "_"))
                << name;
        }
    };
    check(232, "Win32_PerfFormattedData", ClassId::Win32_PerfFormattedData);
    check(233, "Win32_PerfRawData", ClassId::Win32_PerfRawData);
}

TEST(ClassHierarchy, CategoriesWithOneClass)
{
    EXPECT_EQ(ClassIdsOfCategory(208), (std::vector<int>{ClassId::Win32_POTSModem}));
    EXPECT_EQ(ClassIdsOfCategory(217), (std::vector<int>{ClassId::Win32_CodecFile}));
    EXPECT_EQ(ClassIdsOfCategory(222), (std::vector<int>{ClassId::Win32_Registry}));
    EXPECT_EQ(ClassIdsOfCategory(231), (std::vector<int>{ClassId::Win32_WMISetting}));
    EXPECT_EQ(ClassIdsOfCategory(212),
              (std::vector<int>{ClassId::Win32_DriverVXD, ClassId::Win32_PnPSignedDriver,
                                ClassId::Win32_SystemDriver}));
}

TEST_F(EnglishLists, GroupListHasThePlaceholderAndFiveGroups)
{
    std::vector<ListEntry> entries = GroupListEntries();
    EXPECT_EQ(Codes(entries), (std::vector<int>{100, 101, 102, 103, 104, 105}));
    EXPECT_EQ(entries[0].text, "<Select a Class>");
    EXPECT_EQ(entries[1].text, "Computer System Hardware Classes");
    EXPECT_EQ(entries[5].text, "Performance Counters Classes");
}

TEST_F(EnglishLists, InstalledApplicationsGroupOpensItsOwnCategory)
{
    std::vector<ListEntry> categories = CategoryListEntries(103);
    ASSERT_EQ(categories.size(), 2u);
    EXPECT_EQ(categories[0].text, "<Select a Class>");
    EXPECT_EQ(categories[0].code, 100);
    EXPECT_EQ(categories[1].text, "Installed Applications Classes");
    EXPECT_EQ(categories[1].code, 103);

    std::vector<ListEntry> classes = ClassListEntries(103);
    EXPECT_EQ(classes.size(), 41u);
    const ListEntry* classInfo = EntryWithCode(classes, 1016);
    ASSERT_NE(classInfo, nullptr);
    EXPECT_EQ(classInfo->text, "Win32_ClassInforAction");
    std::string query;
    const wchar_t* const* names = nullptr;
    ASSERT_EQ(GetClassQuery(classInfo->code, query, names), 0);
    EXPECT_EQ(query, "Select * from Win32_ClassInfoAction");
}

TEST_F(EnglishLists, WmiManagementGroupLeadsToOneClass)
{
    std::vector<ListEntry> categories = CategoryListEntries(104);
    ASSERT_EQ(Codes(categories), (std::vector<int>{100, 231}));
    EXPECT_EQ(categories[1].text, "WMI Management Classes");
    std::vector<ListEntry> classes = ClassListEntries(231);
    ASSERT_EQ(Codes(classes), (std::vector<int>{100, 1299}));
    EXPECT_EQ(classes[1].text, "Win32_WMISetting");
}

TEST_F(EnglishLists, SharedClassesGiveTheSameIdentifier)
{
    const std::vector<ListEntry> fileSystem = ClassListEntries(214);
    auto volume = std::find_if(fileSystem.begin(), fileSystem.end(),
                               [](const ListEntry& entry) { return entry.text == "Win32_Volume"; });
    ASSERT_NE(volume, fileSystem.end());
    EXPECT_EQ(volume->code, 1296);
    const std::vector<ListEntry> storage = ClassListEntries(228);
    ASSERT_NE(EntryWithCode(storage, 1296), nullptr);
    EXPECT_EQ(EntryWithCode(storage, 1296)->text, "Win32_Volume");
    for (int category : {232, 233}) {
        const std::vector<ListEntry> performance = ClassListEntries(category);
        ASSERT_NE(EntryWithCode(performance, 1113), nullptr);
        EXPECT_EQ(EntryWithCode(performance, 1113)->text, "Win32_Perf");
    }
}

TEST_F(EnglishLists, UnknownCodesGiveOnlyThePlaceholder)
{
    for (int code : {100, 0, -1, 106, 200, 234, 1296}) {
        EXPECT_EQ(Codes(CategoryListEntries(code)), (std::vector<int>{100})) << code;
        EXPECT_EQ(Codes(ClassListEntries(code)), (std::vector<int>{100})) << code;
    }
    // A group code is not a category code, except 103 which is both.
    EXPECT_EQ(ClassListEntries(101).size(), 1u);
    EXPECT_EQ(CategoryListEntries(201).size(), 1u);
}

TEST_F(EnglishLists, EveryEntryHasItsText)
{
    for (const ListEntry& group : GroupListEntries()) {
        EXPECT_FALSE(group.text.empty()) << group.code;
        for (const ListEntry& category : CategoryListEntries(group.code)) {
            EXPECT_FALSE(category.text.empty()) << category.code;
            for (const ListEntry& entry : ClassListEntries(category.code)) {
                if (entry.code == 100)
                    continue;
                const std::string expected =
                    entry.code == 1016 ? "Win32_ClassInforAction" : FindClass(entry.code)->className;
                EXPECT_EQ(entry.text, expected);
            }
        }
    }
}

// Run under the Japanese locale as well (see the japanese filter file).
TEST(JapaneseLists, TextsFollowTheUserInterfaceLanguage)
{
    const bool japanese = TextLanguage() == kJapaneseLanguage;
    EXPECT_EQ(japanese, GetACP() == 932);
    std::vector<ListEntry> groups = GroupListEntries();
    EXPECT_EQ(groups[0].text, ToNarrow(japanese ? L"<\u30af\u30e9\u30b9\u3092\u9078\u629e\u3057"
                                                  L"\u3066\u304f\u3060\u3055\u3044>"
                                                : L"<Select a Class>"));
    EXPECT_EQ(groups[1].text, ToNarrow(japanese ? L"Computer System Hardware Classes "
                                                  L"(\u30cf\u30fc\u30c9\u30a6\u30a7\u30a2)"
                                                : L"Computer System Hardware Classes"));
    // Class names stay as they are in either language.
    const std::vector<ListEntry> wmi = ClassListEntries(231);
    ASSERT_EQ(wmi.size(), 2u);
    EXPECT_EQ(wmi[1].text, "Win32_WMISetting");
    EXPECT_EQ(LoadClassDescription(1000), LoadText(3001));
    EXPECT_FALSE(LoadClassDescription(1000).empty());
}
