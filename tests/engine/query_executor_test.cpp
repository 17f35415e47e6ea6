#include <gtest/gtest.h>

#include "engine/query_executor.h"
#include "render/value_render.h"
#include "resources/text.h"
#include "tests/support/com_scope.h"
#include "tests/support/fake_wmi.h"
#include "tests/support/memory_table.h"
#include "tests/support/wmi_reader.h"

namespace {

const wchar_t* const kThreeProperties[] = {L"Name", L"Size", L"Flag", nullptr};
const wchar_t* const kFourProperties[] = {L"Name", L"Size", L"Flag", L"Extra", nullptr};
const wchar_t* const kNoProperties[] = {nullptr};

FakeObject Object(int number)
{
    return {
        {L"Name", FakeValue::Text(L"Object " + std::to_wstring(number))},
        {L"Size", FakeValue::I4(1000 * number)},
        {L"Flag", FakeValue::Bool(number % 2 == 0)},
        {L"Extra", FakeValue::Text(L"x")},
    };
}

class QueryExecutorTest : public testing::Test {
protected:
    void SetUp() override { SetTextLanguage(kEnglishLanguage); }
    void TearDown() override
    {
        check_.reset();
        SetTextLanguage(0);
        EXPECT_EQ(LiveFakeWmiObjects(), 0) << "every WMI reference released";
    }
    void Use(FakeWmiScenario& scenario) { scenario_ = &scenario; }
    // The check the queries run in: created at first use (or for another host) on the
    // scenario in use, its progress line reading "Checking resources : Disk".
    CheckContext& Check(const char* host = nullptr)
    {
        if (!check_ || (host && check_->Host() != host)) {
            check_ = std::make_unique<CheckContext>(host ? host : "", nullptr, FakeWmiConnector(scenario_));
            check_->Progress().Set("Checking resources : Disk");
        }
        return *check_;
    }

    FakeWmiScenario* scenario_ = nullptr;
    std::unique_ptr<CheckContext> check_;

    ComScope com_;
    std::string error_;
    long count_ = -1;
};

}  // namespace

TEST_F(QueryExecutorTest, StandardRowsHoldTheRenderedPropertiesInListOrder)
{
    FakeWmiScenario scenario;
    scenario.objects = {Object(1), Object(2)};
    Use(scenario);
    MemoryTable table(3);
    ASSERT_EQ(ExecuteStandardQuery(Check(""), 1041, "Select Name,Size,Flag from X", kThreeProperties, table,
                                   error_, count_), QueryOutcome::Read);
    EXPECT_EQ(count_, 2);
    ASSERT_EQ(table.rows.size(), 2u);
    EXPECT_EQ(table.rows[0], (std::vector<std::string>{"Object 1", "1,000", "False"}));
    EXPECT_EQ(table.rows[1], (std::vector<std::string>{"Object 2", "2,000", "True"}));
    EXPECT_EQ(Check().Progress().Get(), "Checking resources : Disk");
}

TEST_F(QueryExecutorTest, ProgressShowsTheNumberOfTheObjectBeingRead)
{
    FakeWmiScenario scenario;
    scenario.objects = {Object(1), Object(2), Object(3)};
    std::vector<std::string> seen;
    scenario.onGet = [&](int, int property, const std::wstring&) {
        if (property == 0)
            seen.push_back(Check().Progress().Get());
    };
    Use(scenario);
    MemoryTable table(3);
    ExecuteStandardQuery(Check(""), 1041, "q", kThreeProperties, table, error_, count_);
    EXPECT_EQ(seen, (std::vector<std::string>{"Checking resources : Disk (1)",
                                               "Checking resources : Disk (2)",
                                               "Checking resources : Disk (3)"}));
    EXPECT_EQ(Check().Progress().Get(), "Checking resources : Disk");
}

TEST_F(QueryExecutorTest, StopDuringTheThirdPropertyOfTheFifthObject)
{
    FakeWmiScenario scenario;
    for (int number = 1; number <= 8; ++number)
        scenario.objects.push_back(Object(number));
    scenario.onGet = [this](int object, int property, const std::wstring&) {
        if (object == 5 && property == 2)
            Check().RequestStop();
    };
    Use(scenario);
    MemoryTable table(4);
    EXPECT_EQ(ExecuteStandardQuery(Check(""), 1041, "q", kFourProperties, table, error_, count_), QueryOutcome::Read);
    EXPECT_EQ(count_, 4);
    ASSERT_EQ(table.rows.size(), 5u);
    EXPECT_EQ(table.setCells[4], 3) << "the read in progress completes and its cell is set";
    EXPECT_EQ(table.rows[4][2], "False");
    EXPECT_EQ(table.rows[4][3], "");
    EXPECT_EQ(table.setCells[3], 4);
    EXPECT_EQ(Check().Progress().Get(), "Checking resources : Disk");
}

TEST_F(QueryExecutorTest, StopBeforeTheFirstObjectReadsNothing)
{
    FakeWmiScenario scenario;
    scenario.objects = {Object(1)};
    Use(scenario);
    Check().RequestStop();
    MemoryTable table(3);
    table.AppendRow();
    EXPECT_EQ(ExecuteStandardQuery(Check(""), 1041, "q", kThreeProperties, table, error_, count_), QueryOutcome::Read);
    EXPECT_EQ(count_, 0);
    EXPECT_TRUE(table.rows.empty()) << "the list is emptied first";
}

TEST_F(QueryExecutorTest, FailedGetLeavesAnEmptyCellAndNoEntry)
{
    FakeWmiScenario scenario;
    FakeObject object = Object(1);
    object[1].getResult = WBEM_E_FAILED;
    object[2].value = FakeValue::Null();
    scenario.objects = {object};
    Use(scenario);
    MemoryTable table(3);
    ExecuteStandardQuery(Check(""), 1041, "q", kThreeProperties, table, error_, count_);
    ASSERT_EQ(table.rows.size(), 1u);
    EXPECT_EQ(table.rows[0], (std::vector<std::string>{"Object 1", "", ""}));
    EXPECT_EQ(table.setCells[0], 3) << "empty cells are set too";

    ClassQueryEntries entries;
    ExecuteClassQuery(Check(""), entries, 1041, "q", kThreeProperties, error_, count_);
    EXPECT_EQ(entries.names, (std::vector<std::string>{"Name"}));
}

TEST_F(QueryExecutorTest, EnumerationThatBreaksOffKeepsWhatWasReadAndSaysSo)
{
    FakeWmiScenario scenario;
    scenario.objects = {Object(1), Object(2), Object(3), Object(4)};
    scenario.breakOffAfter = 2;
    Use(scenario);
    MemoryTable table(3);
    EXPECT_EQ(ExecuteStandardQuery(Check(""), 1041, "Select Name from Win32_Processor", kThreeProperties,
                                   table, error_, count_), QueryOutcome::Incomplete);
    EXPECT_EQ(count_, 2);
    EXPECT_EQ(table.rows.size(), 2u);
    EXPECT_EQ(error_, "The list of Win32_Processor is incomplete: reading broke off with error 0x80041001.");
    ClassQueryEntries entries;
    EXPECT_EQ(ExecuteClassQuery(Check(""), entries, 1041, "select * FROM Win32_Bus", kThreeProperties,
                                error_, count_), QueryOutcome::Incomplete);
    EXPECT_NE(error_.find("Win32_Bus"), std::string::npos);
}

TEST_F(QueryExecutorTest, ObjectDeliveredWithAnUnusualResultEndsTheReading)
{
    FakeWmiScenario scenario;
    scenario.objects = {Object(1), Object(2)};
    scenario.resultWithLastObject = WBEM_S_TIMEDOUT;
    Use(scenario);
    MemoryTable table(3);
    ExecuteStandardQuery(Check(""), 1041, "q", kThreeProperties, table, error_, count_);
    EXPECT_EQ(count_, 2);
}

TEST_F(QueryExecutorTest, EmptyPropertyListStillCountsEveryObject)
{
    FakeWmiScenario scenario;
    scenario.objects = {Object(1), Object(2), Object(3)};
    Use(scenario);
    MemoryTable table(0);
    ExecuteStandardQuery(Check(""), 1041, "q", kNoProperties, table, error_, count_);
    EXPECT_EQ(count_, 3);
    EXPECT_EQ(table.rows.size(), 3u);
    EXPECT_EQ(table.setCells, (std::vector<int>{0, 0, 0}));
}

TEST_F(QueryExecutorTest, NoObjectLeavesTheListEmpty)
{
    FakeWmiScenario scenario;
    Use(scenario);
    MemoryTable table(3);
    EXPECT_EQ(ExecuteStandardQuery(Check(""), 1041, "q", kThreeProperties, table, error_, count_), QueryOutcome::Read);
    EXPECT_EQ(count_, 0);
    EXPECT_TRUE(table.rows.empty());
    EXPECT_EQ(Check().Progress().Get(), "Checking resources : Disk");
}

TEST_F(QueryExecutorTest, FailedConnectionEmptiesTheListAndLeavesTheProgressAlone)
{
    FakeWmiScenario scenario;
    scenario.connectResult = WBEM_E_INVALID_NAMESPACE;
    Use(scenario);
    MemoryTable table(3);
    table.AppendRow();
    EXPECT_EQ(ExecuteStandardQuery(Check("pc01"), 1041, "q", kThreeProperties, table, error_, count_), QueryOutcome::Failed);
    EXPECT_TRUE(table.rows.empty());
    EXPECT_FALSE(error_.empty());
    EXPECT_EQ(Check().Progress().Get(), "Checking resources : Disk");

    ClassQueryEntries entries;
    entries.values.push_back("old");
    EXPECT_EQ(ExecuteClassQuery(Check("pc01"), entries, 1041, "q", kThreeProperties, error_, count_), QueryOutcome::Failed);
    EXPECT_EQ(entries.Size(), 0u);
}

TEST_F(QueryExecutorTest, ClassEntriesSkipEmptyValuesAndKeepTheTypeAsRead)
{
    FakeWmiScenario scenario;
    FakeObject first = Object(1);
    first[0].value = FakeValue::Text(L"   ");
    FakeObject allNull = {{L"Name", FakeValue::Null()}, {L"Size", FakeValue::Null()}};
    FakeObject third = Object(3);
    third[0].value = FakeValue::TextArray({L"a", L"b"});
    scenario.objects = {first, allNull, third};
    Use(scenario);
    ClassQueryEntries entries;
    ASSERT_EQ(ExecuteClassQuery(Check(""), entries, 1041, "q", kThreeProperties, error_, count_), QueryOutcome::Read);
    EXPECT_EQ(count_, 3) << "an object with only empty properties is counted";
    EXPECT_EQ(entries.objectNumbers, (std::vector<unsigned>{1, 1, 3, 3, 3}));
    EXPECT_EQ(entries.names, (std::vector<std::string>{"Size", "Flag", "Name", "Size", "Flag"}));
    EXPECT_EQ(entries.types, (std::vector<unsigned>{VT_I4, VT_BOOL, VT_ARRAY | VT_BSTR, VT_I4, VT_BOOL}));
    EXPECT_EQ(entries.values, (std::vector<std::string>{"1,000", "False", "[ a, b ]", "3,000", "False"}));
}

TEST_F(QueryExecutorTest, ClassStopDuringAnObjectDoesNotCountIt)
{
    FakeWmiScenario scenario;
    scenario.objects = {Object(1), Object(2), Object(3)};
    scenario.onGet = [this](int object, int property, const std::wstring&) {
        if (object == 2 && property == 1)
            Check().RequestStop();
    };
    Use(scenario);
    ClassQueryEntries entries;
    ExecuteClassQuery(Check(""), entries, 1041, "q", kThreeProperties, error_, count_);
    EXPECT_EQ(count_, 1);
    EXPECT_EQ(entries.objectNumbers, (std::vector<unsigned>{1, 1, 1, 2, 2}));
}

// The executors read Wine's own provider; the same objects read independently must
// render to the same texts.
TEST_F(QueryExecutorTest, RealObjectsRenderLikeAnIndependentReading)
{
    struct Case {
        int classId;
        const wchar_t* className;
        std::vector<const wchar_t*> properties;
    };
    const Case cases[] = {
        {1103, L"Win32_OperatingSystem", {L"Caption", L"Version", L"BuildNumber", L"OSLanguage",
                                          L"TotalVisibleMemorySize", L"WindowsDirectory", nullptr}},
        {1224, L"Win32_Processor", {L"Name", L"DeviceID", L"Manufacturer", L"NumberOfCores",
                                    L"MaxClockSpeed", L"Architecture", nullptr}},
        {1068, L"Win32_LogicalDisk", {L"DeviceID", L"FileSystem", L"DriveType", L"Size",
                                      nullptr}},   // FreeSpace changes between readings
    };
    for (const Case& test : cases) {
        std::wstring select;
        for (const wchar_t* name : test.properties)
            if (name)
                select += (select.empty() ? L"" : L",") + std::wstring(name);
        std::wstring query = L"Select " + select + L" from " + test.className;
        std::vector<std::wstring> names(test.properties.begin(), test.properties.end() - 1);
        std::vector<RawWmiObject> expected = ReadLocalWmi(query, names);
        ASSERT_FALSE(expected.empty()) << "Wine provides " << std::string(query.begin(), query.end());

        MemoryTable table(static_cast<int>(names.size()));
        std::string narrowQuery(query.begin(), query.end());
        ASSERT_EQ(ExecuteStandardQuery(Check(""), test.classId, narrowQuery, test.properties.data(), table,
                                       error_, count_), QueryOutcome::Read) << error_;
        ASSERT_EQ(count_, static_cast<long>(expected.size()));
        for (size_t row = 0; row < expected.size(); ++row) {
            for (size_t column = 0; column < names.size(); ++column) {
                std::string text;
                auto found = expected[row].find(names[column]);
                if (found != expected[row].end())
                    RenderPropertyValue(found->second.Get(), text, test.classId, names[column].c_str());
                EXPECT_EQ(table.rows[row][column], text);
            }
        }
        EXPECT_FALSE(table.rows[0][0].empty());
    }
}

// Accounts are named by the computer the value came from: Wine answers lookups for the
// local computer only, so a check of another computer keeps the SID text.
TEST_F(QueryExecutorTest, SidsAreLookedUpOnTheCheckedComputer)
{
    const wchar_t* const installedBy[] = {L"InstalledBy", nullptr};
    FakeWmiScenario scenario;
    scenario.objects = {{{L"InstalledBy", FakeValue::Text(L"S-1-5-32-544")}}};
    Use(scenario);
    MemoryTable local(1), remote(1);
    ASSERT_EQ(ExecuteStandardQuery(Check(""), 1108, "q", installedBy, local, error_, count_), QueryOutcome::Read);
    ASSERT_EQ(ExecuteStandardQuery(Check("127.0.0.1"), 1108, "q", installedBy, remote, error_, count_), QueryOutcome::Read);
    EXPECT_EQ(local.rows[0][0], "BUILTIN\\Administrators");
    EXPECT_EQ(remote.rows[0][0], "S-1-5-32-544");
}
