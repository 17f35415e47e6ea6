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

TEST(Compare, AnAddedOrRemovedObjectComesWithWhatItIsRecognisedBy)
{
    SetTextLanguage(kEnglishLanguage);
    const std::vector<std::string> properties = {"Name", "DisplayName", "PathName", "State"};
    auto service = [](const char* name, const char* display, const char* path) {
        return std::vector<StoredCell>{TextCell(name), TextCell(display), TextCell(path), TextCell("Running")};
    };
    StoredCheck before = MakeCheck("PC01", {});
    StoredCheck after = MakeCheck("PC01", {});
    before.parts[0] = MakePart("Win32_Service", properties, {service("Old", "Old Service", "C:\\old.exe")});
    after.parts[0] = MakePart("Win32_Service", properties,
                              {service("mirelsvc", "Mirel Test Service", "C:\\mirel.exe"), service("Quiet", "", "")});
    const CheckComparison comparison = CompareChecks(before, after);
    const std::vector<ObjectChange>& changes = comparison.parts[0].changes;
    ASSERT_EQ(changes.size(), 3u);
    using Shown = std::vector<std::pair<std::string, std::string>>;
    EXPECT_EQ(changes[0].recognisedBy, (Shown{{"DisplayName", "Mirel Test Service"}, {"PathName", "C:\\mirel.exe"}}));
    EXPECT_TRUE(changes[1].recognisedBy.empty()) << "empty values are left out";
    EXPECT_EQ(changes[2].kind, ChangeKind::Removed);
    EXPECT_EQ(changes[2].recognisedBy, (Shown{{"DisplayName", "Old Service"}, {"PathName", "C:\\old.exe"}}));
    EXPECT_EQ(comparison.ChangeCount(false), 3) << "an object is one change, however it is shown";

    // The window: a row per property, the value after for an added object, before for a
    // removed one; the CSV of mirelrep keeps a row per object.
    const ResultModel shown = ComparisonModel(comparison, false, true);
    ASSERT_EQ(shown.RowCount(), 5);
    EXPECT_EQ(shown.Row(0).cells, (std::vector<std::string>{"Service", "Name=mirelsvc", "Added", "DisplayName", "",
                                                             "Mirel Test Service"}));
    EXPECT_EQ(shown.Row(2).cells, (std::vector<std::string>{"Service", "Name=Quiet", "Added", "", "", ""}));
    EXPECT_EQ(shown.Row(3).cells, (std::vector<std::string>{"Service", "Name=Old", "Removed", "DisplayName",
                                                             "Old Service", ""}));
    EXPECT_EQ(ComparisonModel(comparison, false).RowCount(), 3);
    EXPECT_NE(ComparisonText(comparison, false)
                  .find("  Added: Name=mirelsvc (DisplayName: Mirel Test Service; PathName: C:\\mirel.exe)\n"),
              std::string::npos);
    EXPECT_NE(ComparisonJson(comparison, false).find("\"recognisedBy\": {\n"), std::string::npos);
    SetTextLanguage(0);
}

}  // namespace
