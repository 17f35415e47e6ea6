// The summary of a run and the JSON of a check: what comes from which category, numbers
// raw, and the shape of the JSON (raw value and text per cell), read back with a parser.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "inventory/computer_summary.h"
#include "inventory/json_export.h"
#include "inventory/summary_table.h"
#include "resources/resource.h"
#include "resources/text.h"
#include "standard/standard_survey.h"
#include "tests/support/com_scope.h"
#include "tests/support/fake_wmi.h"
#include "tests/support/recording_reporter.h"

namespace {

using Json = nlohmann::json;

std::vector<FakeObject> Office(const std::wstring&, const std::wstring& className)
{
    auto text = [](const wchar_t* value) { return FakeValue::Text(value); };
    if (className == L"Win32_OperatingSystem")
        return {{{L"Caption", text(L"Windows 10 Pro")}, {L"Version", text(L"10.0.19045")},
                 {L"BuildNumber", text(L"19045")}, {L"TotalVisibleMemorySize", FakeValue::UI64(8000000)}}};
    if (className == L"Win32_ComputerSystem")
        return {{{L"Manufacturer", text(L"Contoso")}, {L"Model", text(L"=cmd|' /C calc'!A0")},
                 {L"NumberOfProcessors", FakeValue::I4(2)}, {L"SystemType", text(L"x64-based PC")}}};
    if (className == L"Win32_PhysicalMemory")
        return {{{L"Capacity", FakeValue::UI64(8589934592ull)}}, {{L"Capacity", FakeValue::UI64(4294967296ull)}}};
    if (className == L"Win32_LogicalDisk")
        return {{{L"DriveType", FakeValue::I4(3)}, {L"Size", FakeValue::UI64(1000000)}, {L"FreeSpace", FakeValue::UI64(400000)}},
                {{L"DriveType", FakeValue::I4(3)}, {L"Size", FakeValue::UI64(2000000)}, {L"FreeSpace", FakeValue::UI64(5)}},
                {{L"DriveType", FakeValue::I4(5)}, {L"Size", FakeValue::UI64(700000)}}};
    if (className == L"Win32_QuickFixEngineering")
        return {{{L"HotFixID", text(L"KB1")}, {L"InstalledOn", text(L"12/31/2023")}},
                {{L"HotFixID", text(L"KB2")}, {L"InstalledOn", text(L"3/1/2024")}},
                {{L"HotFixID", text(L"File 1")}, {L"InstalledOn", text(L"9/9/2099")}}};
    if (className == L"Win32_Product")
        return {{{L"Name", text(L"Office")}}, {{L"Name", text(L"Viewer")}}, {{L"Name", text(L"Tools")}}};
    if (className == L"Win32_BIOS")
        return {{{L"SerialNumber", text(L"SN-42")}}};
    if (className == L"Win32_Processor")
        return {{{L"Name", text(L"Example CPU")}, {L"Architecture", FakeValue::I4(9)}}};
    return {};
}

class SummaryTest : public testing::Test {
protected:
    void SetUp() override
    {
        SetTextLanguage(kEnglishLanguage);
        scenario_.objectsFor = Office;
        stores_.KeepRawValues(true);
        CheckContext check("pc01", &reporter_, FakeWmiConnector(&scenario_));
        ASSERT_EQ(RunStandardSurvey(check, stores_), StandardOutcome::Done);
    }
    void TearDown() override { SetTextLanguage(0); }

    ComScope com_;
    FakeWmiScenario scenario_;
    RecordingReporter reporter_;
    StandardStores stores_;
};

}  // namespace

TEST_F(SummaryTest, InventoryColumnsComeFromTheCategoriesWithNumbersRaw)
{
    ComputerSummary summary;
    summary.computer = "pc01";
    summary.result = ComputerResult::Ok;
    summary.checkedAt = "2026-12-09T08:03:04+09:00";
    summary.seconds = 1.2345;
    SummarizeStandardStores(stores_, summary);
    const ResultRow row = SummaryRow(summary, 7);
    EXPECT_EQ(row.itemData, 7);
    EXPECT_EQ(row.cells, (std::vector<std::string>{
                             "pc01", "OK", "", "", "2026-12-09T08:03:04+09:00", "1.234", "Windows 10 Pro", "10.0.19045",
                             "19045", "x64-based PC", "Contoso", "=cmd|' /C calc'!A0", "SN-42", "Example CPU", "2",
                             "12884901888", "2", "3000000", "400005", "3", "2", "2024-03-01"}));
    const ResultModel model = SummaryModel();
    ASSERT_EQ(model.ColumnCount(), kSummaryColumnCount);
    EXPECT_EQ(model.Column(15).header, "Memory (bytes)");
    EXPECT_TRUE(model.Column(15).rightAligned);
    EXPECT_FALSE(IsNumberColumn(6));

    // Without memory modules the memory the system sees counts; a failed computer has
    // no inventory at all.
    scenario_.objectsFor = [](const std::wstring& host, const std::wstring& className) {
        return className == L"Win32_PhysicalMemory" ? std::vector<FakeObject>{} : Office(host, className);
    };
    CheckContext check("pc01", &reporter_, FakeWmiConnector(&scenario_));
    ASSERT_EQ(RunStandardSurvey(check, stores_), StandardOutcome::Done);
    SummarizeStandardStores(stores_, summary);
    EXPECT_EQ(summary.memoryBytes, 8000000LL * 1024);
    ComputerSummary failed;
    failed.computer = "";
    failed.result = ComputerResult::WmiError;
    failed.code = static_cast<HRESULT>(0x80041015);
    failed.SetMessage("Could not connect.\n\n[Code]\r\n0x80041015\n");
    EXPECT_EQ(SummaryRow(failed, 0).cells[0], "[Local Computer]");
    EXPECT_EQ(SummaryRow(failed, 0).cells[2], "0x80041015");
    EXPECT_EQ(failed.message, "Could not connect. [Code] 0x80041015");
    EXPECT_EQ(SummaryRow(failed, 0).cells[5], "") << "never started: no duration";
}

TEST_F(SummaryTest, HotfixDatesOfEveryForm)
{
    EXPECT_EQ(HotfixDate("3/1/2024"), "2024-03-01");
    EXPECT_EQ(HotfixDate("22/2/2022"), "2022-02-22") << "a first number above 12 is the day";
    EXPECT_EQ(HotfixDate("20220222"), "2022-02-22");
    EXPECT_EQ(HotfixDate("01cb5e35d7d89c00"), "2010-09-27") << "a FILETIME, UTC";
    for (const char* junk : {"", "2024", "1/2", "13/13/2024", "1/2/2024x", "x/1/2024", "20221322"})
        EXPECT_EQ(HotfixDate(junk), "") << junk;
}

TEST_F(SummaryTest, SummaryJsonHasTypedValuesAndATally)
{
    ComputerSummary ok;
    ok.computer = "pc01";
    ok.result = ComputerResult::Ok;
    ok.checkedAt = "2026-12-09T08:03:04+09:00";
    SummarizeStandardStores(stores_, ok);
    ComputerSummary stopped;
    stopped.computer = "\xC3\xA9t\xC3\xA9";   // beyond ASCII: written as \u escapes
    const std::string json = SummaryJson({ok, stopped});
    EXPECT_NE(json.find("\"\\u00e9t\\u00e9\""), std::string::npos) << json;
    const Json document = Json::parse(json);
    const Json& first = document["computers"][0];
    EXPECT_EQ(first["result"], "ok");
    EXPECT_EQ(first["memoryBytes"], 12884901888LL);
    EXPECT_TRUE(first["errorCode"].is_null());
    EXPECT_EQ(first["latestHotfix"], "2024-03-01");
    const Json& second = document["computers"][1];
    EXPECT_EQ(second["computer"], "\xC3\xA9t\xC3\xA9");
    EXPECT_EQ(second["result"], "stopped");
    EXPECT_TRUE(second["processors"].is_null());
    EXPECT_TRUE(second["durationSeconds"].is_null());
    EXPECT_EQ(document["tally"]["ok"], 1);
    EXPECT_EQ(document["tally"]["stopped"], 1);
    EXPECT_EQ(document["tally"]["wmiError"], 0);
    EXPECT_EQ(first.size(), static_cast<size_t>(kSummaryColumnCount));
    EXPECT_EQ(SummaryJson({ok}).find_first_not_of("\t\n\r !\"#$%&'()*+,-./0123456789:;<=>?@ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^_`abcdefghijklmnopqrstuvwxyz{|}~"),
              std::string::npos) << "ASCII only";
    EXPECT_EQ(SummaryTally({ok, stopped, stopped}), "3 computers: 1 OK, 2 Stopped");
}

TEST_F(SummaryTest, CheckJsonHasEveryCategoryWithRawValueAndTextPerCell)
{
    const Json document = Json::parse(StandardJson({"pc01", "2026-12-09T08:03:04+09:00", true}, stores_));
    EXPECT_EQ(document["computer"], "pc01");
    EXPECT_EQ(document["complete"], true);
    ASSERT_EQ(document["categories"].size(), 28u);
    const Json* disks = nullptr;
    for (const Json& category : document["categories"])
        if (category["class"] == "Win32_LogicalDisk")
            disks = &category;
    ASSERT_NE(disks, nullptr);
    EXPECT_EQ((*disks)["label"], "Logical Disk");
    EXPECT_EQ((*disks)["incomplete"], false);
    int typeColumn = -1, sizeColumn = -1;
    for (size_t column = 0; column < (*disks)["columns"].size(); ++column) {
        if ((*disks)["columns"][column]["property"] == "DriveType")
            typeColumn = static_cast<int>(column);
        if ((*disks)["columns"][column]["property"] == "Size")
            sizeColumn = static_cast<int>(column);
    }
    ASSERT_GE(typeColumn, 0);
    ASSERT_GE(sizeColumn, 0);
    EXPECT_EQ((*disks)["columns"][sizeColumn]["header"], "Size (Bytes)");
    const Json& cells = (*disks)["rows"][0];
    EXPECT_EQ(cells[typeColumn]["raw"], 3);
    EXPECT_EQ(cells[typeColumn]["text"], "3 : Local Disk");
    EXPECT_EQ(cells[sizeColumn]["raw"], 1000000);
    EXPECT_EQ(cells[sizeColumn]["text"], "1,000,000");
    EXPECT_TRUE(cells[0]["raw"].is_null()) << "Name was not delivered";
    EXPECT_EQ(cells[0]["text"], "");
}
