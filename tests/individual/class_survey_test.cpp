// The individual check against the fake WMI provider (failures, stops and the questions
// they raise, the domain clause) and against Wine's real WMI.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/class_ids.h"
#include "base/text_util.h"
#include "engine/domain_clause.h"
#include "engine/survey_reporter.h"
#include "engine/wmi_session.h"
#include "individual/class_catalog.h"
#include "individual/class_survey.h"
#include "render/value_render.h"
#include "base/narrow.h"
#include "resources/resource.h"
#include "resources/text.h"
#include "tests/support/com_scope.h"
#include "tests/support/fake_wmi.h"
#include "tests/support/recording_reporter.h"
#include "tests/support/wmi_reader.h"

namespace {

// Eight properties of Win32_Processor, in the catalog's order.
FakeObject Processor(int number)
{
    return {
        {L"AddressWidth", FakeValue::I4(64)},
        {L"Architecture", FakeValue::I4(9)},
        {L"Caption", FakeValue::Text(L"CPU " + std::to_wstring(number))},
        {L"CurrentClockSpeed", FakeValue::I4(2000 + number)},
        {L"DataWidth", FakeValue::I4(64)},
        {L"DeviceID", FakeValue::Text(L"CPU" + std::to_wstring(number - 1))},
        {L"Name", FakeValue::Text(L"Processor " + std::to_wstring(number))},
        {L"SocketDesignation", FakeValue::TextArray({L"A", L"B"})},
        {L"Status", FakeValue::Null()},
    };
}

struct LookupCount {
    int calls = 0;
};
LookupCount g_lookups;

bool OutsideAnyDomain(const std::string&, std::string&, std::string&)
{
    ++g_lookups.calls;
    return false;
}

class ClassSurveyTest : public testing::Test {
protected:
    void SetUp() override
    {
        SetTextLanguage(kEnglishLanguage);
        g_lookups = {};
    }
    void TearDown() override
    {
        if (check_) {
            EXPECT_EQ(check_->Progress().Get(), "");
        }
        check_.reset();
        SetTextLanguage(0);
        EXPECT_EQ(LiveFakeWmiObjects(), 0) << "every WMI reference released";
    }
    // Runs the check on `scenario` (nullptr: the system's WMI).
    ClassOutcome Run(FakeWmiScenario* scenario, int classId = ClassId::Win32_Processor,
            const std::string& host = "")
    {
        WmiConnector connector = FakeWmiConnector(scenario);
        connector.lookUpDomainController = OutsideAnyDomain;
        check_ = std::make_unique<CheckContext>(host, &reporter_, connector);
        reporter_.progress = &check_->Progress();
        ClassOutcome outcome = RunClassSurvey(*check_, classId);
        EXPECT_EQ(check_->Progress().Get(), "") << "no path leaves the status text set";
        return outcome;
    }
    ClassOutcome Run(FakeWmiScenario& scenario, int classId = ClassId::Win32_Processor,
            const std::string& host = "")
    {
        return Run(&scenario, classId, host);
    }

    ComScope com_;
    RecordingReporter reporter_;
    std::unique_ptr<CheckContext> check_;
};

}  // namespace

TEST_F(ClassSurveyTest, ThreeObjectsOfEightValuesGiveTwentyFourRows)
{
    FakeWmiScenario scenario;
    scenario.objects = {Processor(1), Processor(2), Processor(3)};
    EXPECT_EQ(Run(scenario), ClassOutcome::Done);

    EXPECT_TRUE(reporter_.messages.empty());
    ASSERT_EQ(reporter_.rows.size(), 24u);
    for (size_t i = 0; i < reporter_.rows.size(); ++i) {
        EXPECT_EQ(reporter_.rows[i].objectNumber, i / 8 + 1);
        EXPECT_EQ(reporter_.rows[i].itemData, static_cast<LPARAM>(i));
    }
    EXPECT_EQ(reporter_.rows[0].name, "AddressWidth");
    EXPECT_EQ(reporter_.rows[0].typeText, "VT_I4");
    EXPECT_EQ(reporter_.rows[1].value, "9 : x64");
    EXPECT_EQ(reporter_.rows[11].value, "2,002");
    EXPECT_EQ(reporter_.rows[23].name, "SocketDesignation");
    EXPECT_EQ(reporter_.rows[23].typeText, "VT_ARRAY[VT_BSTR]") << "the value's own type";
    EXPECT_EQ(reporter_.rows[23].value, "[ A, B ]");
    EXPECT_EQ(reporter_.addCalls, 1);
    EXPECT_EQ(reporter_.selectedAfterRows, 24) << "the first row is selected once the rows are in";
    EXPECT_EQ(reporter_.statusWhileAdding, "Preparing of display...");
}

TEST_F(ClassSurveyTest, ProgressNamesTheClassAfterTwoBlanks)
{
    FakeWmiScenario scenario;
    scenario.objects = {Processor(1), Processor(2)};
    std::vector<std::string> seen;
    scenario.onGet = [&](int, int property, const std::wstring& name) {
        if (property == 0 && name != L"Name")   // not the computer's own name, read after the class
            seen.push_back(check_->Progress().Get());
    };
    Run(scenario);
    EXPECT_EQ(seen, (std::vector<std::string>{"Checking resources :  Win32_Processor (1)",
                                               "Checking resources :  Win32_Processor (2)"}));
}

TEST_F(ClassSurveyTest, ObjectsWithOnlyEmptyValuesShowNothing)
{
    FakeWmiScenario scenario;
    scenario.objects = {{{L"Name", FakeValue::Null()}, {L"Caption", FakeValue::Text(L"  ")}}};
    EXPECT_EQ(Run(scenario), ClassOutcome::Done);
    EXPECT_TRUE(reporter_.messages.empty());
    EXPECT_TRUE(reporter_.rows.empty());
    EXPECT_EQ(reporter_.selectedAfterRows, -1) << "nothing is selected";
}

TEST_F(ClassSurveyTest, NoObjectGivesDataIsNotExist)
{
    FakeWmiScenario scenario;
    EXPECT_EQ(Run(scenario), ClassOutcome::NoData);
    ASSERT_EQ(reporter_.messages.size(), 1u);
    EXPECT_EQ(reporter_.messages[0].text, "Data is not exist.");
    EXPECT_EQ(reporter_.messages[0].flags, static_cast<UINT>(MB_ICONEXCLAMATION));
    EXPECT_TRUE(reporter_.rows.empty());
}

TEST_F(ClassSurveyTest, StopBeforeTheFirstObjectIsCompleteClaimsNoFinding)
{
    FakeWmiScenario scenario;
    scenario.objects = {Processor(1), Processor(2)};
    scenario.onGet = [this](int object, int property, const std::wstring&) {
        if (object == 1 && property == 2)
            check_->RequestStop();
    };
    EXPECT_EQ(Run(scenario), ClassOutcome::Stopped);
    EXPECT_TRUE(reporter_.messages.empty()) << "neither the question nor \"Data is not exist.\": nothing was read";
    EXPECT_TRUE(reporter_.rows.empty()) << "the values taken from that object are not shown";
}

TEST_F(ClassSurveyTest, StopAfterSomeObjectsAsksAndNoShowsNothing)
{
    FakeWmiScenario scenario;
    scenario.objects = {Processor(1), Processor(2), Processor(3)};
    scenario.onGet = [this](int object, int property, const std::wstring&) {
        if (object == 2 && property == 3)
            check_->RequestStop();
    };
    reporter_.answer = IDNO;
    EXPECT_EQ(Run(scenario), ClassOutcome::Declined);
    ASSERT_EQ(reporter_.messages.size(), 1u);
    EXPECT_EQ(reporter_.messages[0].text,
              "The resource checking has been stopped.\nDo you want to see the data?");
    EXPECT_EQ(reporter_.messages[0].flags, static_cast<UINT>(MB_YESNO | MB_ICONINFORMATION));
    EXPECT_TRUE(reporter_.rows.empty());
}

TEST_F(ClassSurveyTest, StopAfterSomeObjectsAnsweredYesShowsWhatWasRead)
{
    FakeWmiScenario scenario;
    scenario.objects = {Processor(1), Processor(2), Processor(3)};
    scenario.onGet = [this](int object, int property, const std::wstring&) {
        if (object == 2 && property == 3)
            check_->RequestStop();
    };
    reporter_.answer = IDYES;
    EXPECT_EQ(Run(scenario), ClassOutcome::Done);
    EXPECT_EQ(reporter_.messages.size(), 1u);
    // Object 1 whole; of object 2 the properties read up to the one in progress at the stop.
    ASSERT_EQ(reporter_.rows.size(), 8u + 3u);
    EXPECT_EQ(reporter_.rows.back().objectNumber, 2u);
    // Reads 0..3 of object 2: AddressWidth, Architecture, Availability (absent), Caption.
    EXPECT_EQ(reporter_.rows.back().name, "Caption");
}

TEST_F(ClassSurveyTest, FailedConnectionShowsTheComposedText)
{
    FakeWmiScenario scenario;
    scenario.connectResult = WBEM_E_INVALID_NAMESPACE;
    EXPECT_EQ(Run(scenario, ClassId::Win32_Processor, "pc01"), ClassOutcome::Failed);
    std::string expected;
    ComposeErrorText(expected, FillIn(LoadText(IDS_CONNECT_FAILED), "pc01"), WBEM_E_INVALID_NAMESPACE);
    ASSERT_EQ(reporter_.messages.size(), 1u);
    EXPECT_EQ(reporter_.messages[0].text, expected);
    EXPECT_EQ(reporter_.messages[0].flags, static_cast<UINT>(MB_ICONEXCLAMATION));
    EXPECT_TRUE(reporter_.rows.empty());
}

TEST_F(ClassSurveyTest, OnlyAccountClassesAreRestrictedToTheirDomain)
{
    struct Case {
        int classId;
        const char* query;
    };
    for (const Case& check : {Case{ClassId::Win32_UserAccount,
                                   "Select * from Win32_UserAccount where Domain = 'pc01'"},
                              Case{ClassId::Win32_Group,
                                   "Select * from Win32_Group where Domain = 'pc01'"},
                              Case{ClassId::Win32_Account, "Select * from Win32_Account"},
                              Case{ClassId::Win32_Processor, "Select * from Win32_Processor"}}) {
        FakeWmiScenario scenario;
        g_lookups = {};
        Run(scenario, check.classId, "pc01");
        ASSERT_EQ(scenario.queries.size(), 2u) << "the class, then the computer's own name";
        EXPECT_EQ(ToNarrow(scenario.queries[0]), check.query);
        EXPECT_EQ(ToNarrow(scenario.queries[1]), "SELECT Name, Domain, DomainRole FROM Win32_ComputerSystem");
        const bool account = check.classId == ClassId::Win32_UserAccount ||
                             check.classId == ClassId::Win32_Group;
        EXPECT_EQ(g_lookups.calls, account ? 1 : 0) << check.query;
    }
}

// The real thing: the rows of Win32_Processor on this computer are the non-empty rendered
// values of an independent reading of the same objects, in catalog order.
TEST_F(ClassSurveyTest, LocalProcessorsMatchAnIndependentReadingOfWmi)
{
    ASSERT_EQ(Run(nullptr, ClassId::Win32_Processor), ClassOutcome::Done);
    EXPECT_TRUE(reporter_.messages.empty());

    const ClassCatalogEntry& entry = *FindClass(ClassId::Win32_Processor);
    std::vector<std::wstring> properties(entry.propertyNames,
                                         entry.propertyNames + entry.propertyCount);
    std::vector<RawWmiObject> raw = ReadLocalWmi(L"Select * from Win32_Processor", properties);
    ASSERT_FALSE(raw.empty());
    size_t index = 0;
    for (size_t object = 0; object < raw.size(); ++object) {
        for (const std::wstring& name : properties) {
            auto value = raw[object].find(name);
            std::string text;
            if (value == raw[object].end() ||
                RenderPropertyValue(value->second.Get(), text, ClassId::Win32_Processor,
                                    name.c_str()) != 0 || text.empty())
                continue;
            if (name == L"CurrentClockSpeed" || name == L"LoadPercentage") {
                ++index;   // these move between the two readings
                continue;
            }
            ASSERT_LT(index, reporter_.rows.size());
            const ClassResultRow& row = reporter_.rows[index];
            EXPECT_EQ(row.objectNumber, object + 1);
            EXPECT_EQ(row.name, ToNarrow(name));
            EXPECT_EQ(row.typeText, VarTypeText(value->second.Get().vt));
            EXPECT_EQ(row.value, text);
            EXPECT_EQ(row.itemData, static_cast<LPARAM>(index));
            ++index;
        }
    }
    EXPECT_EQ(index, reporter_.rows.size());
}
