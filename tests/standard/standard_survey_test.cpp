// The standard check against the fake WMI provider (failures, stops, the hotfix clean-up,
// the domain clause) and against Wine's real WMI.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/text_util.h"
#include "engine/domain_clause.h"
#include "engine/wmi_session.h"
#include "render/value_render.h"
#include "base/narrow.h"
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

std::vector<int> RowCounts(const StandardStores& stores)
{
    std::vector<int> counts;
    for (int index = 0; index < kCategoryCount; ++index)
        counts.push_back(stores.Store(index)->RowCount());
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
        stores_ = std::make_unique<StandardStores>();
        DomainLookups() = {};
    }
    void TearDown() override
    {
        check_.reset();
        stores_.reset();
        DomainLookups() = {};
        SetTextLanguage(0);
        EXPECT_EQ(LiveFakeWmiObjects(), 0) << "every WMI reference released";
    }
    void Use(FakeWmiScenario* scenario) { scenario_ = scenario; }
    // The check under test: created at first use (or for another host) with the scenario
    // in use and, unless the system's is asked for, the counting domain lookup.
    CheckContext& Check(const char* host = nullptr)
    {
        if (!check_ || (host && check_->Host() != host)) {
            WmiConnector connector = FakeWmiConnector(scenario_);
            if (countLookups_)
                connector.lookUpDomainController = CountingDomainLookup;
            check_ = std::make_unique<CheckContext>(host ? host : "", &reporter_, connector);
            DomainLookups().progress = &check_->Progress();
        }
        return *check_;
    }
    StandardOutcome Survey(const char* host) { return RunStandardSurvey(Check(host), *stores_); }
    CategoryStore* Store(int index) { return stores_->Store(index); }
    // Rows a previous check left behind.
    void FillEveryStore()
    {
        for (int index = 0; index < kCategoryCount; ++index)
            Store(index)->SetCell(Store(index)->AppendRow(), 0, "old");
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
    std::unique_ptr<StandardStores> stores_;
    std::unique_ptr<CheckContext> check_;
    FakeWmiScenario* scenario_ = nullptr;
    bool countLookups_ = true;
};

}  // namespace

TEST_F(StandardSurveyTest, FirstConnectionFailingGivesOneMessageAndEmptyStores)
{
    FillEveryStore();
    FakeWmiScenario scenario;
    scenario.connectResult = WBEM_E_INVALID_NAMESPACE;
    scenario.objects = {HotfixObject(L"KB1")};
    Use(&scenario);

    EXPECT_EQ(Survey("pc01"), StandardOutcome::Failed);

    std::string expected;
    ComposeErrorText(expected, FillIn(LoadText(IDS_CONNECT_FAILED), "pc01"), WBEM_E_INVALID_NAMESPACE);
    ASSERT_EQ(reporter_.messages.size(), 1u);
    EXPECT_EQ(reporter_.messages[0].text, expected);
    EXPECT_EQ(reporter_.messages[0].flags, static_cast<UINT>(MB_ICONEXCLAMATION));
    EXPECT_EQ(RowCounts(*stores_), std::vector<int>(kCategoryCount, 0));
    EXPECT_EQ(scenario.connectedPaths.size(), 1u) << "no later category is tried";
    EXPECT_EQ(scenario.connectedPaths[0], L"\\\\pc01\\root\\cimv2");
    EXPECT_EQ(Check().Progress().Get(), "");
    EXPECT_EQ(reporter_.storesCleared, 1);
    EXPECT_EQ(DomainLookups().calls, 0);
}

TEST_F(StandardSurveyTest, CategoriesWithoutObjectsAreNoFailure)
{
    FillEveryStore();
    FakeWmiScenario scenario;
    Use(&scenario);

    EXPECT_EQ(Survey(""), StandardOutcome::Done);

    EXPECT_TRUE(reporter_.messages.empty());
    EXPECT_EQ(RowCounts(*stores_), std::vector<int>(kCategoryCount, 0));
    ASSERT_EQ(scenario.queries.size(), static_cast<size_t>(kCategoryCount)) << "one session each";
    EXPECT_EQ(scenario.connectedPaths.size(), static_cast<size_t>(kCategoryCount));
    EXPECT_EQ(Check().Progress().Get(), "");
}

TEST_F(StandardSurveyTest, EveryCategoryRunsItsOwnQueryInStoreOrder)
{
    FakeWmiScenario scenario;
    Use(&scenario);
    Survey("pc01");

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
    Use(&scenario);
    Survey("pc01");
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
    Use(&scenario);
    Survey("");
    const CategoryStore& processors = *Store(15);
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
    Use(&scenario);

    EXPECT_EQ(Survey(""), StandardOutcome::Done);

    const CategoryStore& hotfixes = *Store(kQuickFixStore);
    std::vector<std::string> left;
    for (int row = 0; row < hotfixes.RowCount(); ++row)
        left.push_back(hotfixes.Cell(row, 0));
    EXPECT_EQ(left, (std::vector<std::string>{"KB100", "File 10", "File 1x"}));
    EXPECT_EQ(Store(0)->RowCount(), 6) << "only the hotfix category is cleaned up";
}

class StandardSurveyFailureTest : public StandardSurveyTest,
                                  public testing::WithParamInterface<int> {};

TEST_P(StandardSurveyFailureTest, FailingCategoryEndsTheCheckWithOneMessage)
{
    const int failing = GetParam();
    FakeWmiScenario scenario;
    scenario.objects = {HotfixObject(L"File 1")};
    FailConnectionsFrom(scenario, failing);
    Use(&scenario);

    EXPECT_EQ(Survey(""), StandardOutcome::Failed);

    EXPECT_EQ(reporter_.messages.size(), 1u);
    EXPECT_EQ(scenario.connectedPaths.size(), static_cast<size_t>(failing + 1));
    std::vector<int> expected(kCategoryCount, 0);
    for (int index = 0; index < failing; ++index)
        expected[index] = 1;
    EXPECT_EQ(RowCounts(*stores_), expected) << "earlier stores keep their rows, later ones stay empty";
    EXPECT_EQ(DomainLookups().calls, failing >= kUserAccountStore ? 1 : 0)
        << "the clause is built only once stores 0 to 22 were read";
    EXPECT_EQ(Check().Progress().Get(), "");
}

INSTANTIATE_TEST_SUITE_P(Categories, StandardSurveyFailureTest, testing::Values(1, 15, 22, 23, 24, 27));

TEST_F(StandardSurveyTest, DomainClauseIsBuiltOnceAfterTheLogicalDiskCategory)
{
    FakeWmiScenario scenario;
    scenario.objects = {HotfixObject(L"KB1")};
    Use(&scenario);
    Survey("");
    EXPECT_EQ(DomainLookups().calls, 1);
    EXPECT_EQ(DomainLookups().statusAtCall, "Checking resources : Logical Disk")
        << "store 22 is done and its plain progress line is back";
}

TEST_F(StandardSurveyTest, GroupCategoryShowsItsLabelAndTheObjectNumber)
{
    FakeWmiScenario scenario;
    scenario.objects = {HotfixObject(L"KB1"), HotfixObject(L"KB2")};
    std::vector<std::string> seen;
    scenario.onGet = [&](int, int property, const std::wstring&) {
        if (property == 0 && scenario.connectedPaths.size() == kGroupStore + 1)
            seen.push_back(Check().Progress().Get());
    };
    Use(&scenario);
    Survey("");
    EXPECT_EQ(seen, (std::vector<std::string>{"Checking resources : Group (1)",
                                               "Checking resources : Group (2)"}));
    EXPECT_EQ(Check().Progress().Get(), "");
}

TEST_F(StandardSurveyTest, StopLeavesTheRemainingCategoriesNotReadAndUnvisited)
{
    FakeWmiScenario scenario;
    scenario.objects = {HotfixObject(L"KB1"), HotfixObject(L"KB2"), HotfixObject(L"KB3")};
    scenario.onGet = [&](int object, int property, const std::wstring&) {
        if (scenario.connectedPaths.size() == 3 && object == 2 && property == 1)
            Check().RequestStop();
    };
    Use(&scenario);

    EXPECT_EQ(Survey(""), StandardOutcome::Done) << "a stop is no failure";

    EXPECT_TRUE(reporter_.messages.empty());
    EXPECT_EQ(scenario.connectedPaths.size(), 3u) << "no later category connects";
    std::vector<int> expected(kCategoryCount, 0);
    expected[0] = expected[1] = 3;
    expected[2] = 2;   // the second object's row stays with the cells read before the stop
    EXPECT_EQ(RowCounts(*stores_), expected);
    for (int store = 0; store < kCategoryCount; ++store) {
        EXPECT_EQ(stores_->IsIncomplete(store), store >= 2) << "the cut and the unread are marked: " << store;
        EXPECT_EQ(stores_->WasRead(store), store <= 2) << "the cut one was read, the later ones not: " << store;
    }
    EXPECT_TRUE(stores_->WasStopped());
    EXPECT_EQ(DomainLookups().calls, 0) << "no category read after the stop needed the domain";
    EXPECT_EQ(Check().Progress().Get(), "");
}

TEST_F(StandardSurveyTest, ClearingEmptiesEveryStoreAndTellsTheReporter)
{
    FillEveryStore();
    ClearStandardStores(Check(), *stores_);
    EXPECT_EQ(RowCounts(*stores_), std::vector<int>(kCategoryCount, 0));
    EXPECT_EQ(Store(9)->ColumnCount(), 19) << "the columns stay";
    EXPECT_EQ(reporter_.storesCleared, 1);
}

// The real thing: every category of the local computer holds as many rows as the same
// query returns objects, and its cells are the rendered values of those objects.
TEST_F(StandardSurveyTest, LocalCheckMatchesAnIndependentReadingOfWmi)
{
    countLookups_ = false;
    ASSERT_EQ(Survey(""), StandardOutcome::Done);
    EXPECT_TRUE(reporter_.messages.empty());
    const std::string clause = BuildDomainClause(WmiConnector{}, "");
    int filledStores = 0;
    for (const StandardCategory& category : kStandardCategories) {
        std::vector<std::wstring> properties;
        for (const wchar_t* const* name = category.propertyNames; *name; ++name)
            properties.push_back(*name);
        std::vector<RawWmiObject> raw =
            ReadLocalWmi(ToWide(ExpectedQuery(category.storeIndex, clause)), properties);
        const CategoryStore& store = *Store(category.storeIndex);
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
