#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "individual/class_catalog.h"
#include "base/text_util.h"
#include "base/narrow.h"
#include "resources/text.h"

namespace {

// Number of property names read per class, identifiers 1000..1301 in order.
const int kExpectedPropertyCounts[kClassCount] = {
    23, 9, 10, 4, 29, 22, 33, 6, 11, 27, 9, 21, 53, 49, 6, 25, 19, 33, 5, 5, 10, 6, 4, 58, 3, 8,
    3, 12, 10, 35, 10, 6, 12, 26, 21, 28, 11, 8, 9, 31, 13, 51, 34, 15, 14, 19, 13, 8, 11, 17,
    22, 19, 23, 30, 11, 9, 20, 23, 23, 20, 9, 18, 15, 7, 23, 10, 7, 10, 40, 6, 8, 7, 5, 5, 9, 2,
    38, 39, 39, 12, 9, 2, 22, 15, 3, 4, 19, 14, 40, 61, 6, 17, 31, 23, 27, 39, 16, 6, 12, 12, 6,
    12, 20, 63, 6, 15, 36, 6, 9, 26, 8, 5, 23, 9, 9, 44, 12, 20, 38, 17, 22, 15, 32, 30, 29, 46,
    35, 26, 36, 38, 15, 11, 24, 26, 17, 17, 22, 36, 36, 46, 21, 10, 29, 26, 26, 27, 40, 20, 123,
    22, 18, 36, 26, 12, 26, 18, 14, 12, 84, 84, 9, 46, 12, 20, 41, 19, 22, 15, 43, 40, 29, 45,
    35, 26, 41, 39, 15, 13, 24, 27, 17, 17, 22, 36, 36, 46, 21, 10, 29, 26, 26, 27, 40, 20, 129,
    22, 18, 36, 26, 12, 26, 18, 14, 12, 84, 84, 23, 30, 27, 24, 24, 26, 33, 38, 20, 11, 79, 2,
    86, 33, 22, 28, 7, 45, 48, 8, 14, 8, 27, 11, 6, 5, 6, 6, 12, 11, 9, 20, 8, 14, 10, 5, 14,
    13, 13, 19, 31, 4, 11, 47, 29, 12, 3, 13, 25, 9, 18, 6, 13, 22, 6, 10, 16, 34, 5, 38, 19,
    10, 13, 23, 8, 9, 3, 22, 37, 10, 31, 40, 17, 35, 22, 11, 4, 4, 24, 5, 12, 43, 23, 28, 16,
    12, 10, 30, 59, 35, 41, 4, 9, 27, 21, 3,
};

std::vector<std::string> PropertyNames(const ClassCatalogEntry& entry)
{
    std::vector<std::string> names;
    for (const wchar_t* const* name = entry.propertyNames; *name; ++name)
        names.push_back(ToNarrow(*name));
    return names;
}

std::vector<std::string> PropertiesOf(int classId)
{
    return PropertyNames(*FindClass(classId));
}

int FindIdByName(const char* className)
{
    for (const ClassCatalogEntry& entry : kClassCatalog) {
        if (std::string(entry.className) == className)
            return entry.classId;
    }
    return 0;
}

// Display string IDs run in 16 stretches over the identifiers.
int ExpectedDisplayStringId(int classId)
{
    struct Stretch {
        int firstId, lastId, firstString;
    };
    const Stretch stretches[] = {
        {1000, 1000, 1009}, {1001, 1001, 1008}, {1002, 1008, 1010}, {1009, 1009, 1007},
        {1010, 1012, 1017}, {1013, 1013, 1303}, {1014, 1040, 1020}, {1041, 1041, 1005},
        {1042, 1067, 1047}, {1068, 1068, 1006}, {1069, 1146, 1073}, {1147, 1193, 1256},
        {1194, 1216, 1151}, {1217, 1217, 1304}, {1218, 1299, 1174}, {1300, 1301, 1305}};
    for (const Stretch& s : stretches) {
        if (classId >= s.firstId && classId <= s.lastId)
            return s.firstString + classId - s.firstId;
    }
    return 0;
}

}  // namespace

TEST(ClassCatalog, IdentifiersRunWithoutGapsInAlphabeticalOrder)
{
    for (int i = 0; i < kClassCount; ++i) {
        EXPECT_EQ(kClassCatalog[i].classId, kFirstClassId + i);
        EXPECT_EQ(FindClass(kFirstClassId + i), &kClassCatalog[i]);
        EXPECT_TRUE(std::string(kClassCatalog[i].className).starts_with("Win32_"));
    }
    for (int id = 1001; id <= 1299; ++id) {
        EXPECT_LT(CompareNoCase(FindClass(id - 1)->className, FindClass(id)->className), 0)
            << FindClass(id)->className;
    }
    EXPECT_STREQ(FindClass(1000)->className, "Win32_1394Controller");
    EXPECT_STREQ(FindClass(1001)->className, "Win32_Account");
    EXPECT_STREQ(FindClass(1299)->className, "Win32_WMISetting");
    EXPECT_STREQ(FindClass(1300)->className, "Win32_DriverVXD");
    EXPECT_STREQ(FindClass(1301)->className, "Win32_DeviceChangeEvent");
    for (int id : {-1, 0, 100, 999, 1302, 3001})
        EXPECT_EQ(FindClass(id), nullptr) << id;
}

TEST(ClassCatalog, DisplayStringsFollowTheirStretches)
{
    std::set<int> used;
    for (const ClassCatalogEntry& entry : kClassCatalog) {
        EXPECT_EQ(entry.displayStringId, ExpectedDisplayStringId(entry.classId)) << entry.classId;
        used.insert(entry.displayStringId);
        // The class names are not translated.
        const std::string expected =
            entry.classId == 1016 ? "Win32_ClassInforAction" : entry.className;
        EXPECT_EQ(ToNarrow(LoadTextInLanguage(entry.displayStringId, kEnglishLanguage)), expected);
        EXPECT_EQ(ToNarrow(LoadTextInLanguage(entry.displayStringId, kJapaneseLanguage)), expected);
    }
    EXPECT_EQ(used.size(), 302u);
    EXPECT_EQ(*used.begin(), 1005);
    EXPECT_EQ(*used.rbegin(), 1306);
    EXPECT_EQ(ClassDisplayText(1016), "Win32_ClassInforAction");
    EXPECT_EQ(ClassDisplayText(1013), "Win32_CDROMDrive");
    EXPECT_EQ(ClassDisplayText(1302), "");
}

TEST(ClassCatalog, DescriptionsFollowTheAlphabeticalPosition)
{
    std::vector<const ClassCatalogEntry*> sorted;
    for (const ClassCatalogEntry& entry : kClassCatalog)
        sorted.push_back(&entry);
    std::sort(sorted.begin(), sorted.end(), [](auto* a, auto* b) {
        return CompareNoCase(a->className, b->className) < 0;
    });
    for (int position = 0; position < kClassCount; ++position) {
        const ClassCatalogEntry& entry = *sorted[position];
        EXPECT_EQ(entry.descriptionStringId, 3001 + position) << entry.className;
        EXPECT_NE(LoadTextInLanguage(entry.descriptionStringId, kEnglishLanguage), L"");
        EXPECT_NE(LoadTextInLanguage(entry.descriptionStringId, kJapaneseLanguage), L"");
    }
    EXPECT_EQ(FindClass(1301)->descriptionStringId, 3037);
    EXPECT_EQ(FindClass(1300)->descriptionStringId, 3048);
    EXPECT_EQ(FindClass(1036)->descriptionStringId, 3038);
    EXPECT_EQ(FindClass(1035)->descriptionStringId, 3036);
    EXPECT_EQ(FindClass(1046)->descriptionStringId, 3049);
}

TEST(ClassCatalog, LoadsDescriptionsInTheTextLanguage)
{
    SetTextLanguage(kEnglishLanguage);
    EXPECT_EQ(LoadClassDescription(1000),
              "Represents the capabilities and management of a 1394 controller.");
    EXPECT_EQ(LoadClassDescription(1001),
              "Contains information about user accounts and group accounts known to the "
              "computer system running Windows.");
    EXPECT_EQ(LoadClassDescription(1003),
              "Represents the settings for the autocheck operation of a disk.");
    EXPECT_EQ(LoadClassDescription(1301), LoadText(3037));
    EXPECT_EQ(LoadClassDescription(1300), LoadText(3048));
    EXPECT_EQ(LoadClassDescription(1036), LoadText(3038));
    for (int id : {0, 100, 999, 1302})
        EXPECT_EQ(LoadClassDescription(id), "") << id;
    SetTextLanguage(kJapaneseLanguage);
    EXPECT_EQ(LoadClassDescription(1000), ToNarrow(LoadTextInLanguage(3001, kJapaneseLanguage)));
    EXPECT_NE(LoadTextInLanguage(3001, kJapaneseLanguage),
              LoadTextInLanguage(3001, kEnglishLanguage));
    SetTextLanguage(0);
}

TEST(ClassCatalog, QueriesSelectEverythingFromTheClass)
{
    for (const ClassCatalogEntry& entry : kClassCatalog) {
        std::string query = "previous";
        const wchar_t* const* names = nullptr;
        ASSERT_EQ(GetClassQuery(entry.classId, query, names), 0);
        EXPECT_EQ(query, std::string("Select * from ") + entry.className);
        EXPECT_EQ(names, entry.propertyNames);
    }
    std::string query;
    const wchar_t* const* names = nullptr;
    EXPECT_EQ(GetClassQuery(1300, query, names), 0);
    EXPECT_EQ(query, "Select * from Win32_DriverVXD");
    EXPECT_EQ(GetClassQuery(1301, query, names), 0);
    EXPECT_EQ(query, "Select * from Win32_DeviceChangeEvent");
    EXPECT_EQ(GetClassQuery(1016, query, names), 0);
    EXPECT_EQ(query, "Select * from Win32_ClassInfoAction");
}

TEST(ClassCatalog, UnknownIdentifiersAreRefusedWithoutTouchingTheOutputs)
{
    const wchar_t* const sentinel[] = {L"Untouched", nullptr};
    for (int id : {999, 1302, 100, 0, -1}) {
        std::string query = "unchanged";
        const wchar_t* const* names = sentinel;
        EXPECT_EQ(GetClassQuery(id, query, names), -1) << id;
        EXPECT_EQ(query, "unchanged");
        EXPECT_EQ(names, sentinel);
    }
}

TEST(ClassPropertyLists, SortedUniqueAndOfTheCataloguedLength)
{
    int total = 0;
    std::set<const wchar_t* const*> lists;
    for (const ClassCatalogEntry& entry : kClassCatalog) {
        SCOPED_TRACE(entry.className);
        const std::vector<std::string> names = PropertyNames(entry);
        EXPECT_EQ(static_cast<int>(names.size()), kExpectedPropertyCounts[entry.classId - 1000]);
        EXPECT_EQ(entry.propertyCount, static_cast<int>(names.size()));
        for (size_t i = 0; i < names.size(); ++i) {
            EXPECT_FALSE(names[i].starts_with("__")) << names[i];
            EXPECT_FALSE(names[i].empty());
            if (i > 0) {
                EXPECT_LT(CompareNoCase(names[i - 1], names[i]), 0) << names[i];
            }
        }
        total += static_cast<int>(names.size());
        lists.insert(entry.propertyNames);
    }
    EXPECT_EQ(total, 6741);
    EXPECT_EQ(lists.size(), 302u);   // no two classes share a list
}

TEST(ClassPropertyLists, ShortestAndLongest)
{
    std::vector<std::string> shortest;
    int longest = 0;
    for (const ClassCatalogEntry& entry : kClassCatalog) {
        if (entry.propertyCount == 2)
            shortest.push_back(entry.className);
        EXPECT_GE(entry.propertyCount, 2);
        longest = std::max(longest, entry.propertyCount);
    }
    EXPECT_EQ(shortest, (std::vector<std::string>{"Win32_LUID", "Win32_ModuleTrace",
                                                  "Win32_PowerManagementEvent"}));
    EXPECT_EQ(longest, 129);
    EXPECT_EQ(FindClass(FindIdByName("Win32_PerfRawData_SMTPSVC_SMTPServer"))->propertyCount, 129);
}

TEST(ClassPropertyLists, TellingListsExactly)
{
    using Names = std::vector<std::string>;
    const Names account = {"Caption",      "Description", "Domain",  "InstallDate", "LocalAccount",
                           "Name",         "SID",         "SIDType", "Status"};
    EXPECT_EQ(PropertiesOf(FindIdByName("Win32_Account")), account);
    EXPECT_EQ(PropertiesOf(FindIdByName("Win32_Group")), account);
    EXPECT_EQ(PropertiesOf(FindIdByName("Win32_SystemAccount")), account);
    EXPECT_EQ(PropertiesOf(FindIdByName("Win32_UserAccount")),
              (Names{"AccountType", "Caption", "Description", "Disabled", "Domain", "FullName",
                     "InstallDate", "LocalAccount", "Lockout", "Name", "PasswordChangeable",
                     "PasswordExpires", "PasswordRequired", "SID", "SIDType", "Status"}));
    EXPECT_EQ(PropertiesOf(FindIdByName("Win32_LUID")), (Names{"HighPart", "LowPart"}));
    EXPECT_EQ(PropertiesOf(FindIdByName("Win32_ModuleTrace")),
              (Names{"SECURITY_DESCRIPTOR", "TIME_CREATED"}));
    EXPECT_EQ(PropertiesOf(FindIdByName("Win32_ModuleLoadTrace")),
              (Names{"DefaultBase", "FileName", "ImageBase", "ImageChecksum", "ImageSize",
                     "ProcessID", "SECURITY_DESCRIPTOR", "TIME_CREATED", "TimeDateSTamp"}));
    EXPECT_EQ(PropertiesOf(FindIdByName("Win32_ComputerSystemEvent")),
              (Names{"MachineName", "SECURITY_DESCRIPTOR", "TIME_CREATED"}));
    const Names perf = {"Caption",           "Description",        "Frequency_Object",
                        "Frequency_PerfTime", "Frequency_Sys100NS", "Name",
                        "Timestamp_Object",  "Timestamp_PerfTime", "Timestamp_Sys100NS"};
    EXPECT_EQ(PropertiesOf(FindIdByName("Win32_Perf")), perf);
    EXPECT_EQ(PropertiesOf(FindIdByName("Win32_PerfRawData")), perf);
    EXPECT_EQ(PropertiesOf(FindIdByName("Win32_PerfFormattedData")), perf);
    EXPECT_EQ(PropertiesOf(FindIdByName("Win32_SID")),
              (Names{"AccountName", "BinaryRepresentation", "ReferencedDomainName", "SID",
                     "SidLength"}));
    EXPECT_EQ(PropertiesOf(FindIdByName("Win32_CurrentTime")),
              (Names{"Day", "DayOfWeek", "Hour", "Milliseconds", "Minute", "Month", "Quarter",
                     "Second", "WeekInMonth", "Year"}));
    // The catalog's spelling is shown as is.
    const Names processTrace = PropertiesOf(FindIdByName("Win32_ProcessTrace"));
    EXPECT_NE(std::find(processTrace.begin(), processTrace.end(), "Sid"), processTrace.end());
}
