// A standard check that keeps the values as WMI delivered them beside the texts, and the
// problems a check notes by kind, through the fake provider and Wine's real WMI.
#include <gtest/gtest.h>

#include <string>

#include "base/text_util.h"
#include "resources/resource.h"
#include "resources/text.h"
#include "standard/category_catalog.h"
#include "standard/category_store.h"
#include "standard/standard_survey.h"
#include "tests/support/com_scope.h"
#include "tests/support/fake_wmi.h"
#include "tests/support/recording_reporter.h"

namespace {

constexpr int kLogicalDiskStore = 22;
constexpr int kQuickFixStore = 27;

int ColumnOf(int storeIndex, const wchar_t* property)
{
    const wchar_t* const* names = kStandardCategories[storeIndex].propertyNames;
    for (int column = 0; names[column]; ++column)
        if (std::wstring(names[column]) == property)
            return column;
    return -1;
}

class RawValuesTest : public testing::Test {
protected:
    void SetUp() override
    {
        SetTextLanguage(kEnglishLanguage);
        stores_.KeepRawValues(true);
    }
    void TearDown() override { SetTextLanguage(0); }
    StandardOutcome Survey(FakeWmiScenario* scenario, const std::string& host = {})
    {
        check_ = std::make_unique<CheckContext>(host, &reporter_, FakeWmiConnector(scenario));
        return RunStandardSurvey(*check_, stores_);
    }

    ComScope com_;
    RecordingReporter reporter_;
    StandardStores stores_;
    std::unique_ptr<CheckContext> check_;
};

}  // namespace

TEST_F(RawValuesTest, EveryCellKeepsItsTypedValueBesideItsText)
{
    FakeWmiScenario scenario;
    const FakeObject disk = {{L"Name", FakeValue::Text(L"C:")},
                              {L"DriveType", FakeValue::I4(3)},
                              {L"Compressed", FakeValue::Bool(false)},
                              {L"Size", FakeValue::UI64(18446744073709551615ull)},
                              {L"FreeSpace", FakeValue::Text(L"12x")},
                              {L"VolumeName", FakeValue::TextArray({L"a", L"\u65e5\u672c"})},
                              {L"Description", FakeValue::Null()}};
    scenario.objectsFor = [&](const std::wstring& host, const std::wstring& className) {
        EXPECT_EQ(host, L"");
        if (className == L"Win32_LogicalDisk")
            return std::vector<FakeObject>{disk};
        if (className == L"Win32_QuickFixEngineering")
            return std::vector<FakeObject>{{{L"HotFixID", FakeValue::Text(L"File 1")}},
                                           {{L"HotFixID", FakeValue::Text(L"KB2")}}};
        return std::vector<FakeObject>{};
    };
    ASSERT_EQ(Survey(&scenario), StandardOutcome::Done);

    const CategoryStore& disks = *stores_.Store(kLogicalDiskStore);
    ASSERT_EQ(disks.RowCount(), 1);
    auto raw = [&](const wchar_t* property) -> const auto& {
        return disks.RawCell(0, ColumnOf(kLogicalDiskStore, property)).value;
    };
    EXPECT_EQ(std::get<std::string>(raw(L"Name")), "C:");
    EXPECT_EQ(std::get<int64_t>(raw(L"DriveType")), 3);
    EXPECT_NE(disks.Cell(0, ColumnOf(kLogicalDiskStore, L"DriveType")), "3") << "the text is decoded";
    EXPECT_EQ(std::get<bool>(raw(L"Compressed")), false);
    EXPECT_EQ(std::get<uint64_t>(raw(L"Size")), 18446744073709551615ull) << "a uint64 text is a number";
    EXPECT_EQ(std::get<std::string>(raw(L"FreeSpace")), "12x") << "what is no number stays text";
    const RawArray& volume = std::get<RawArray>(raw(L"VolumeName"));
    ASSERT_EQ(volume.size(), 2u);
    EXPECT_EQ(volume[1].Text(), "\xE6\x97\xA5\xE6\x9C\xAC") << "UTF-8 whatever the code page";
    EXPECT_TRUE(disks.RawCell(0, ColumnOf(kLogicalDiskStore, L"Description")).IsNull());
    EXPECT_TRUE(disks.RawCell(0, ColumnOf(kLogicalDiskStore, L"SystemName")).IsNull()) << "not delivered";
    EXPECT_TRUE(disks.RawCell(5, 0).IsNull());

    // The placeholder hotfix row went and its raw values with it.
    const CategoryStore& hotfixes = *stores_.Store(kQuickFixStore);
    ASSERT_EQ(hotfixes.RowCount(), 1);
    EXPECT_EQ(hotfixes.RawCell(0, 0).Text(), "KB2");
}

TEST_F(RawValuesTest, ProblemsAreNotedByKindWithTheirCodes)
{
    struct Case {
        HRESULT connectResult;
        int breakOffAfter;
        CheckProblem kind;
        HRESULT code;
    };
    const Case cases[] = {
        {E_ACCESSDENIED, -1, CheckProblem::AccessDenied, E_ACCESSDENIED},
        {static_cast<HRESULT>(WBEM_E_TRANSPORT_FAILURE), -1, CheckProblem::WmiError,
         static_cast<HRESULT>(WBEM_E_TRANSPORT_FAILURE)},
        {S_OK, 0, CheckProblem::BrokeOff, static_cast<HRESULT>(WBEM_E_FAILED)},
        {S_OK, -1, CheckProblem::None, S_OK},
    };
    for (const Case& expected : cases) {
        FakeWmiScenario scenario;
        scenario.connectResult = expected.connectResult;
        scenario.breakOffAfter = expected.breakOffAfter;
        Survey(&scenario, "pc01");
        const CheckProblemNote note = check_->Problem();
        EXPECT_EQ(note.kind, expected.kind) << HexCode(static_cast<unsigned long>(expected.connectResult));
        EXPECT_EQ(HexCode(static_cast<unsigned long>(note.code)), HexCode(static_cast<unsigned long>(expected.code)));
        if (expected.kind == CheckProblem::AccessDenied) {
            EXPECT_EQ(note.message, LoadText(IDS_ACCESS_DENIED));
        } else if (expected.kind == CheckProblem::WmiError) {
            EXPECT_EQ(note.message, LoadText(IDS_CONNECT_FAILED));
        }
    }
    CheckContext check("pc01");
    check.NoteProblem({CheckProblem::BrokeOff, E_FAIL, "broke"});
    check.NoteProblem({CheckProblem::NoAnswer, S_OK, "late"});
    check.NoteProblem({CheckProblem::WmiError, E_FAIL, "later"});
    EXPECT_EQ(check.Problem().message, "late") << "a failure replaces a break-off, not another failure";
}

TEST_F(RawValuesTest, WinesProviderNamesTheTypesOfItsLargeNumbers)
{
    CheckContext check("", &reporter_);
    ASSERT_EQ(RunStandardSurvey(check, stores_), StandardOutcome::Done);
    const CategoryStore& disks = *stores_.Store(kLogicalDiskStore);
    ASSERT_GT(disks.RowCount(), 0);
    const int size = ColumnOf(kLogicalDiskStore, L"Size");
    const uint64_t* bytes = std::get_if<uint64_t>(&disks.RawCell(0, size).value);
    ASSERT_NE(bytes, nullptr) << "Size (uint64) arrives as a number";
    std::string digits;
    for (char character : disks.Cell(0, size))
        if (character >= '0' && character <= '9')
            digits += character;
    EXPECT_EQ(std::to_string(*bytes), digits) << disks.Cell(0, size);
}
