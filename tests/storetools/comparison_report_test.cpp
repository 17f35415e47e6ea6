// A comparison of two checks as text, as the rows of a result list and as JSON: only the
// real changes unless the volatile values are asked for.
#include <gtest/gtest.h>

#include "resources/text.h"
#include "store/check_comparison.h"
#include "storetools/comparison_report.h"
#include "tests/store/store_fixture.h"

namespace {

const std::vector<TestService> kServices = {{"BITS", "Manual", "Stopped"}, {"Spooler", "Auto", "Running"}};

TEST(ComparisonReport, ReportsInTextCsvRowsAndJson)
{
    SetTextLanguage(kEnglishLanguage);
    StoredCheck before = MakeCheck("PC01", kServices, 100, 10);
    StoredCheck after = MakeCheck("PC01", {{"BITS", "Auto", "Stopped"}, {"Spooler", "Auto", "Running"}}, 100, 20);
    before.header.id = 3;
    after.header.id = 5;
    const CheckComparison comparison = CompareChecks(before, after);
    const std::string text = ComparisonText(comparison, false);
    EXPECT_NE(text.find("Service: 0 added, 0 removed, 1 changed\n  Changed: Name=BITS\n"
                        "    StartMode: \"Manual\" -> \"Auto\"\n"), std::string::npos) << text;
    EXPECT_EQ(text.find("FreeSpace"), std::string::npos);
    EXPECT_NE(ComparisonText(comparison, true).find("FreeSpace"), std::string::npos);
    const ResultModel rows = ComparisonModel(comparison, false);
    ASSERT_EQ(rows.RowCount(), 1);
    EXPECT_EQ(rows.Row(0).cells, (std::vector<std::string>{"Service", "Name=BITS", "Changed", "StartMode", "Manual", "Auto"}));
    const std::string json = ComparisonJson(comparison, false);
    EXPECT_NE(json.find("\"changeCount\": 1"), std::string::npos) << json;
    SetTextLanguage(0);
}

}  // namespace
