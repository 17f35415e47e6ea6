// The standard check against the fake WMI provider (failures, stops, the hotfix clean-up,
// the domain clause) and against Wine's real WMI.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/domain_clause.h"
#include "engine/run_state.h"
#include "engine/wmi_session.h"
#include "render/value_render.h"
#include "resources/narrow.h"
#include "resources/resource.h"
#include "resources/text.h"
#include "standard/category_catalog.h"
#include "standard/category_store.h"
#include "standard/standard_survey.h"
#include "tests/standard/survey_test_support.h"
#include "tests/support/com_scope.h"
#include "tests/support/fake_wmi.h"
#include "tests/support/wmi_reader.h"

namespace {

constexpr int kUserAccountStore = 23;
constexpr int kGroupStore = 24;
constexpr int kQuickFixStore = 27;

FakeObject HotfixObject(const std::wstring& id)
{
    return {{L"HotFixID", FakeValue::Text(id)}, {L"Name", FakeValue::Text(L"Item " + id)}};
}

std::vector<int> RowCounts()
{
    std::vector<int> counts;
    for (int index = 0; index < kCategoryCount; ++index)
        counts.push_back(StandardStore(index)->RowCount());
    return counts;
}

std::string ExpectedQuery(int storeIndex, const std::string& clause)
{
    std::string query = kStandardCategories[storeIndex].query;
    if (storeIndex == kUserAccountStore || storeIndex == kGroupStore)
        query += clause;
    return query;
}

class StandardSurveyTest : public testing::Test {
protected:
    void SetUp() override
    {
        SetTextLanguage(kEnglishLanguage);
        ResetRunState();
        CreateStandardStores();
        SetSurveyReporter(&reporter_);
        DomainLookups() = {};
        SetDomainControllerLookup(CountingDomainLookup);
    }
    void TearDown() override
    {
        InstallFakeWmi(nullptr);
        SetDomainControllerLookup(nullptr);
        SetSurveyReporter(nullptr);
        ClearAllStoreRows();
        ResetRunState();
        SetTextLanguage(0);
        EXPECT_EQ(LiveFakeWmiObjects(), 0) << "every WMI reference released";
    }
    // Rows a previous check left behind.
    void FillEveryStore()
    {
        for (int index = 0; index < kCategoryCount; ++index)
            StandardStore(index)->SetCell(StandardStore(index)->AppendRow(), 0, "old");
    }
    // From category `storeIndex` on, every connection fails.
    static void FailConnectionsFrom(FakeWmiScenario& scenario, int storeIndex)
    {
        scenario.onGet = [&scenario, storeIndex](int, int, const std::wstring&) {
            if (static_cast<int>(scenario.connectedPaths.size()) == storeIndex)
                scenario.connectResult = WBEM_E_INVALID_NAMESPACE;
        };
    }

    ComScope com_;
    RecordingReporter reporter_;
};

}  // namespace

TEST_F(StandardSurveyTest, FirstConnectionFailingGivesOneMessageAndEmptyStores)
{
    FillEveryStore();
    FakeWmiScenario scenario;
    scenario.connectResult = WBEM_E_INVALID_NAMESPACE;
    scenario.objects = {HotfixObject(L"KB1")};
    InstallFakeWmi(&scenario);

    EXPECT_EQ(RunStandardSurvey("pc01"), kStandardSurveyFailed);

    std::string expected;
    ComposeErrorText(expected, LoadText(IDS_CONNECT_FAILED), WBEM_E_INVALID_NAMESPACE);
    ASSERT_EQ(reporter_.messages.size(), 1u);
    EXPECT_EQ(reporter_.messages[0].text, expected);
    EXPECT_EQ(reporter_.messages[0].flags, static_cast<UINT>(MB_ICONEXCLAMATION));
    EXPECT_EQ(RowCounts(), std::vector<int>(kCategoryCount, 0));
    EXPECT_EQ(scenario.connectedPaths.size(), 1u) << "no later category is tried";
    EXPECT_EQ(scenario.connectedPaths[0], L"\\\\pc01\\root\\cimv2");
    EXPECT_EQ(GetRunState().StatusText.Get(), "");
    EXPECT_EQ(reporter_.storesCleared, 1);
    EXPECT_EQ(DomainLookups().calls, 0);
}

TEST_F(StandardSurveyTest, CategoriesWithoutObjectsAreNoFailure)
{
    FillEveryStore();
    FakeWmiScenario scenario;
    InstallFakeWmi(&scenario);

    EXPECT_EQ(RunStandardSurvey(""), kStandardSurveyDone);

    EXPECT_TRUE(reporter_.messages.empty());
    EXPECT_EQ(RowCounts(), std::vector<int>(kCategoryCount, 0));
    ASSERT_EQ(scenario.queries.size(), static_cast<size_t>(kCategoryCount)) << "one session each";
    EXPECT_EQ(scenario.connectedPaths.size(), static_cast<size_t>(kCategoryCount));
    EXPECT_EQ(GetRunState().StatusText.Get(), "");
}

TEST_F(StandardSurveyTest, EveryCategoryRunsItsOwnQueryInStoreOrder)
{
    FakeWmiScenario scenario;
    InstallFakeWmi(&scenario);
    RunStandardSurvey("pc01");

    ASSERT_EQ(DomainLookups().calls, 1);
    EXPECT_EQ(DomainLookups().computer, "pc01");
    const std::string clause = " where Domain = 'pc01'";
    ASSERT_EQ(scenario.queries.size(), static_cast<size_t>(kCategoryCount));
    for (int index = 0; index < kCategoryCount; ++index)
        EXPECT_EQ(ToNarrow(scenario.queries[index]), ExpectedQuery(index, clause)) << index;
}

TEST_F(StandardSurveyTest, OnTheDomainControllerTheAccountQueriesStayUnrestricted)
{
    DomainLookups().controller = "\\\\PC01";
    FakeWmiScenario scenario;
    InstallFakeWmi(&scenario);
    RunStandardSurvey("pc01");
    ASSERT_EQ(scenario.queries.size(), static_cast<size_t>(kCategoryCount));
    EXPECT_EQ(ToNarrow(scenario.queries[kUserAccountStore]), kStandardCategories[23].query);
    EXPECT_EQ(ToNarrow(scenario.queries[kGroupStore]), kStandardCategories[24].query);
}

TEST_F(StandardSurveyTest, CellsHoldTheRenderedValuesOfTheCategorysProperties)
{
    FakeWmiScenario scenario;
    scenario.objects = {{{L"Name", FakeValue::Text(L"CPU A")},
                         {L"AddressWidth", FakeValue::I4(64)},
                         {L"Architecture", FakeValue::I4(9)},
                         {L"MaxClockSpeed", FakeValue::I4(2095)}}};
    InstallFakeWmi(&scenario);
    RunStandardSurvey("");
    const CategoryStore& processors = *StandardStore(15);
    ASSERT_EQ(processors.RowCount(), 1);
    EXPECT_EQ(processors.Cell(0, 0), "CPU A");
    EXPECT_EQ(processors.Cell(0, 4), "64");
    EXPECT_EQ(processors.Cell(0, 6), "2,095");
    EXPECT_EQ(processors.Cell(0, 15), "9 : x64") << "decoded with the Win32_Processor tables";
    EXPECT_EQ(processors.Cell(0, 1), "") << "a property the object lacks leaves its cell empty";
}

TEST_F(StandardSurveyTest, PlaceholderHotfixRowsAreRemovedInAnyCase)
{
    FakeWmiScenario scenario;
    for (const wchar_t* id : {L"File 1", L"KB100", L"FILE 1", L"File 10", L"file 1", L"File 1x"})
        scenario.objects.push_back(HotfixObject(id));
    InstallFakeWmi(&scenario);

    EXPECT_EQ(RunStandardSurvey(""), kStandardSurveyDone);

    const CategoryStore& hotfixes = *StandardStore(kQuickFixStore);
    std::vector<std::string> left;
    for (int row = 0; row < hotfixes.RowCount(); ++row)
        left.push_back(hotfixes.Cell(row, 0));
    EXPECT_EQ(left, (std::vector<std::string>{"KB100", "File 10", "File 1x"}));
    EXPECT_EQ(StandardStore(0)->RowCount(), 6) << "only the hotfix category is cleaned up";
}

class StandardSurveyFailureTest : public StandardSurveyTest,
                                  public testing::WithParamInterface<int> {};

TEST_P(StandardSurveyFailureTest, FailingCategoryEndsTheCheckWithOneMessage)
{
    const int failing = GetParam();
    FakeWmiScenario scenario;
    scenario.objects = {HotfixObject(L"File 1")};
    FailConnectionsFrom(scenario, failing);
    InstallFakeWmi(&scenario);

    EXPECT_EQ(RunStandardSurvey(""), kStandardSurveyFailed);

    EXPECT_EQ(reporter_.messages.size(), 1u);
    EXPECT_EQ(scenario.connectedPaths.size(), static_cast<size_t>(failing + 1));
    std::vector<int> expected(kCategoryCount, 0);
    for (int index = 0; index < failing; ++index)
        expected[index] = 1;
    EXPECT_EQ(RowCounts(), expected) << "earlier stores keep their rows, later ones stay empty";
    EXPECT_EQ(DomainLookups().calls, failing >= kUserAccountStore ? 1 : 0)
        << "the clause is built only once stores 0 to 22 were read";
    EXPECT_EQ(GetRunState().StatusText.Get(), "");
}

INSTANTIATE_TEST_SUITE_P(Categories, StandardSurveyFailureTest, testing::Values(1, 15, 22, 23, 24, 27));

TEST_F(StandardSurveyTest, DomainClauseIsBuiltOnceAfterTheLogicalDiskCategory)
{
    FakeWmiScenario scenario;
    scenario.objects = {HotfixObject(L"KB1")};
    InstallFakeWmi(&scenario);
    RunStandardSurvey("");
    EXPECT_EQ(DomainLookups().calls, 1);
    EXPECT_EQ(DomainLookups().statusAtCall, "Checking reources : Logical Disk")
        << "store 22 is done and its plain progress line is back";
}

TEST_F(StandardSurveyTest, GroupCategoryShowsItsLabelAndTheObjectNumber)
{
    FakeWmiScenario scenario;
    scenario.objects = {HotfixObject(L"KB1"), HotfixObject(L"KB2")};
    std::vector<std::string> seen;
    scenario.onGet = [&](int, int property, const std::wstring&) {
        if (property == 0 && scenario.connectedPaths.size() == kGroupStore + 1)
            seen.push_back(GetRunState().StatusText.Get());
    };
    InstallFakeWmi(&scenario);
    RunStandardSurvey("");
    EXPECT_EQ(seen, (std::vector<std::string>{"Checking reources : Group (1)",
                                               "Checking reources : Group (2)"}));
    EXPECT_EQ(GetRunState().StatusText.Get(), "");
}

TEST_F(StandardSurveyTest, StopEmptiesTheRemainingCategoriesButVisitsThemAll)
{
    FakeWmiScenario scenario;
    scenario.objects = {HotfixObject(L"KB1"), HotfixObject(L"KB2"), HotfixObject(L"KB3")};
    scenario.onGet = [&](int object, int property, const std::wstring&) {
        if (scenario.connectedPaths.size() == 3 && object == 2 && property == 1)
            GetRunState().StopRequested = 1;
    };
    InstallFakeWmi(&scenario);

    EXPECT_EQ(RunStandardSurvey(""), kStandardSurveyDone) << "a stop is no failure";

    EXPECT_TRUE(reporter_.messages.empty());
    EXPECT_EQ(scenario.connectedPaths.size(), static_cast<size_t>(kCategoryCount))
        << "every later category still connects";
    std::vector<int> expected(kCategoryCount, 0);
    expected[0] = expected[1] = 3;
    expected[2] = 2;   // the second object's row stays with the cells read before the stop
    EXPECT_EQ(RowCounts(), expected);
    EXPECT_EQ(DomainLookups().calls, 1);
    EXPECT_EQ(GetRunState().StatusText.Get(), "");
}

TEST_F(StandardSurveyTest, ClearingEmptiesEveryStoreAndTellsTheReporter)
{
    FillEveryStore();
    ClearStandardStores();
    EXPECT_EQ(RowCounts(), std::vector<int>(kCategoryCount, 0));
    EXPECT_EQ(StandardStore(9)->ColumnCount(), 19) << "the columns stay";
    EXPECT_EQ(reporter_.storesCleared, 1);
}

// The real thing: every category of the local computer holds as many rows as the same
// query returns objects, and its cells are the rendered values of those objects.
TEST_F(StandardSurveyTest, LocalCheckMatchesAnIndependentReadingOfWmi)
{
    SetDomainControllerLookup(nullptr);
    ASSERT_EQ(RunStandardSurvey(""), kStandardSurveyDone);
    EXPECT_TRUE(reporter_.messages.empty());
    const std::string clause = BuildDomainClause("");
    int filledStores = 0;
    for (const StandardCategory& category : kStandardCategories) {
        std::vector<std::wstring> properties;
        for (const wchar_t* const* name = category.propertyNames; *name; ++name)
            properties.push_back(*name);
        std::vector<RawWmiObject> raw =
            ReadLocalWmi(ToWide(ExpectedQuery(category.storeIndex, clause)), properties);
        const CategoryStore& store = *StandardStore(category.storeIndex);
        ASSERT_EQ(store.RowCount(), static_cast<int>(raw.size())) << category.className;
        filledStores += store.RowCount() > 0;
        for (int row = 0; row < store.RowCount(); ++row) {
            for (int column = 0; column < category.columnCount; ++column) {
                auto value = raw[row].find(properties[column]);
                std::string text;
                if (value != raw[row].end())
                    RenderPropertyValue(value->second.Get(), text, category.classId,
                                        properties[column].c_str());
                // Free memory and free disk space move between the two readings.
                if ((category.storeIndex == 19 && (column == 9 || column == 10)) ||
                    (category.storeIndex == 22 && column == 8))
                    continue;
                EXPECT_EQ(store.Cell(row, column), text) << category.className << " " << column;
            }
        }
    }
    EXPECT_GE(filledStores, 8) << "Wine reports BIOS, disks, processor, services and more";
}
