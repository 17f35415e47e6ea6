// The reports over a real store file: escaping of hostile values, the figures against the
// store's own questions, the sheet of a check that is not in the store, and the dates.
#include <gtest/gtest.h>

#include "report/computer_sheet.h"
#include "report/fleet_figures.h"
#include "report/fleet_report.h"
#include "report/html_text.h"
#include "report/report_dates.h"
#include "resources/resource.h"
#include "resources/text.h"
#include "storetools/found_coverage.h"
#include "tests/store/store_fixture.h"

namespace {

constexpr char kImage[] = "<img src=x onerror=alert(1)>";
constexpr char kStyleEnd[] = "</style><script>alert(2)</script>";
constexpr int64_t kNow = 1765000000;   // 2025-12-06, UTC

StoredCheck FleetCheck(const std::string& computer, const std::string& caption, const std::string& model,
                       int64_t size, int64_t free, const std::string& program, const std::string& version)
{
    StoredCheck check;
    check.header.computer = check.header.target = computer;
    check.header.checkedAt.epoch = kNow - 3600;
    check.header.checkedAt.utc = "2025-12-06T05:46:40Z";
    check.header.checkedAt.local = "2025-12-06T05:46:40+00:00";
    check.header.source = "test";
    check.parts.push_back(MakePart("Win32_OperatingSystem", {"Caption", "Version", "BuildNumber", "WindowsDirectory"},
                                   {{TextCell(caption), TextCell("10.0.19045"), TextCell("19045"),
                                     TextCell("C:\\WINDOWS")}}));
    check.parts.push_back(MakePart("Win32_ComputerSystem", {"Name", "Manufacturer", "Model"},
                                   {{TextCell(computer), TextCell("Contoso"), TextCell(model)}}));
    check.parts.push_back(MakePart("Win32_LogicalDisk", {"DeviceID", "DriveType", "Size", "FreeSpace"},
                                   {{TextCell("C:"), NumberCell(3, "Local Disk"), NumberCell(size, ""),
                                     NumberCell(free, "")}}));
    check.parts.push_back(MakePart("Win32_Product", {"IdentifyingNumber", "Name", "Version"},
                                   {{TextCell("{1}"), TextCell(program), TextCell(version)}}));
    check.parts.push_back(MakePart("Win32_Service", {"Name", "DisplayName", "StartMode", "State"},
                                   {{TextCell(kImage), TextCell(kStyleEnd), TextCell("Auto"), TextCell("Stopped")},
                                    {TextCell("Spooler"), TextCell("Print"), TextCell("Auto"), TextCell("Running")}}));
    return check;
}

std::vector<std::vector<std::string>> Ask(InventoryStore& store, const char* name, std::vector<std::string> given)
{
    std::vector<QueryValue> values;
    std::string message;
    EXPECT_TRUE(BindQuestion(*FindQuestion(name), given, kNow, values, message)) << message;
    QueryAnswer answer;
    EXPECT_EQ(RunReadOnlyQuery(store.Db(), FindQuestion(name)->sql, values, answer, message), AnswerOutcome::Answered)
        << message;
    return Texts(answer);
}

}  // namespace

TEST(HtmlText, HostileTextStaysText)
{
    EXPECT_EQ(HtmlEscape(kImage), "&lt;img src=x onerror=alert(1)&gt;");
    EXPECT_EQ(HtmlEscape("a\"b'c&d"), "a&quot;b&#39;c&amp;d");
    // Controls as visible pictures, invalid bytes replaced, Japanese and tabs untouched.
    EXPECT_EQ(HtmlEscape(std::string("x\0y\x1B\x7F", 5)), "x\xE2\x90\x80y\xE2\x90\x9B\xE2\x90\xA1");
    EXPECT_EQ(HtmlEscape("\xFF\xC3"), "\xEF\xBF\xBD\xEF\xBF\xBD");
    EXPECT_EQ(HtmlEscape("\xE7\xB5\x8C\xE7\x90\x86\t1"), "\xE7\xB5\x8C\xE7\x90\x86\t1");
    // A CSS string cannot end itself, the rule or the style element.
    const std::string css = CssString(std::string(kStyleEnd) + "\"}\n\\");
    EXPECT_EQ(css.find_first_of("<>\n}", 0), std::string::npos) << css;
    EXPECT_EQ(css.find('"', 1), css.size() - 1) << css;
}

TEST(HtmlText, CutsByColumnsNeverInsideACharacter)
{
    EXPECT_EQ(CutToWidth("abcdef", 6), "abcdef");
    EXPECT_EQ(CutToWidth("abcdefg", 6), "abcde\xE2\x80\xA6");
    // Four wide characters take eight columns: cut to two and the ellipsis.
    EXPECT_EQ(CutToWidth("\xE7\xB5\x8C\xE7\x90\x86\xE9\x83\xA8\xE9\x96\x80", 6), "\xE7\xB5\x8C\xE7\x90\x86\xE2\x80\xA6");
}

TEST(ReportDates, LocalDaysAcrossOffsetsAndLeapYears)
{
    EXPECT_EQ(LocalDate(0, 0), "1970-01-01");
    EXPECT_EQ(LocalDate(0, -60), "1969-12-31");
    EXPECT_EQ(LocalDate(1709164800, 0), "2024-02-29");
    EXPECT_EQ(LocalDate(1709164800 - 1, 9 * 60), "2024-02-29");
    int64_t day = 0;
    ASSERT_TRUE(DayNumber("2024/03/01", day));
    int64_t before = 0;
    ASSERT_TRUE(DayNumber("2024-02-28 10:00:00", before));
    EXPECT_EQ(day - before, 2);
    EXPECT_FALSE(DayNumber("2023/02/29", day));
    EXPECT_TRUE(DayNumber("2024/02/29", day));
    EXPECT_FALSE(DayNumber("12/1/2024", day));
    EXPECT_FALSE(DayNumber("2024/13/01", day));
}

class FleetReportTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetTextLanguage(kEnglishLanguage);
        store_ = test_.Open();
        ASSERT_TRUE(store_) << test_.LastMessage();
        checks_ = {FleetCheck("PC01", "Microsoft Windows 10 Pro", kImage, 100000, 5000, "Office", "16.0"),
                   FleetCheck("PC02", "Microsoft Windows 10 Pro", "Model 2", 100000, 50000, "Office", "15.0"),
                   FleetCheck("\xE7\xB5\x8C\xE7\x90\x86-PC03", kStyleEnd, "Model 2", 100000, 90000, kImage, "1")};
        for (StoredCheck& check : checks_)
            ASSERT_TRUE(store_->Record(check)) << store_->FailureMessage();
    }
    void TearDown() override { SetTextLanguage(0); }

    TestStore test_{"report"};
    std::unique_ptr<InventoryStore> store_;
    std::vector<StoredCheck> checks_;
};

TEST_F(FleetReportTest, FiguresAreTheQuestionsAnswers)
{
    FleetFigures figures;
    std::string error;
    ASSERT_TRUE(ReadFleetFigures(store_->Db(), kNow, figures, error)) << error;
    ASSERT_EQ(figures.computers.size(), 3u);
    EXPECT_EQ(figures.checkCount, 3);
    // The disks under 10 % are the low-disk question's, the systems its Windows versions.
    std::vector<std::vector<std::string>> low;
    for (const FleetDisk& disk : figures.disks)
        if (disk.freeBytes * 10 < disk.sizeBytes)
            low.push_back({disk.computer, disk.drive});
    std::vector<std::vector<std::string>> asked;
    for (const auto& row : Ask(*store_, "low-disk", {"10"}))
        asked.push_back({row[0], row[1]});
    EXPECT_EQ(low, asked);
    int64_t windows10 = 0;
    for (const FleetComputer& computer : figures.computers)
        windows10 += computer.os == "Microsoft Windows 10 Pro";
    const auto versions = Ask(*store_, "windows-versions", {});
    ASSERT_FALSE(versions.empty());
    EXPECT_EQ(versions[0][0], "Microsoft Windows 10 Pro");
    EXPECT_EQ(versions[0][4], std::to_string(windows10));
    for (const FleetComputer& computer : figures.computers) {
        EXPECT_EQ(computer.systemDiskSize, 100000) << computer.name;
        EXPECT_TRUE(computer.inventoried);
    }
    ASSERT_EQ(figures.programs.size(), 2u);
    EXPECT_EQ(figures.programs[1].name, "Office");
    EXPECT_EQ(figures.programs[1].computers, 2);
    EXPECT_EQ(figures.programs[1].versions, 2);
}

// The computers a source found and no check reached are counted as the coverage question
// answers them; a found computer that was checked is not among them.
TEST_F(FleetReportTest, ComputersFoundButNeverCheckedAreTheCoverageQuestionsAnswer)
{
    CheckTime found;
    found.epoch = kNow - 60;
    found.utc = "2025-12-06T06:45:40Z";
    found.local = "2025-12-06T06:45:40+00:00";
    ASSERT_TRUE(RecordFoundComputers(store_->Db(), "LDAP://127.0.0.1/DC=corp,DC=example",
                                     {{"pc01", "pc01.corp.example", "", "", "", "CN=PC01"},
                                      {"never.corp.example", "never.corp.example", "", "", "", "CN=NEVER"}},
                                     found));
    FleetFigures figures;
    std::string error;
    ASSERT_TRUE(ReadFleetFigures(store_->Db(), kNow, figures, error)) << error;
    EXPECT_TRUE(figures.knowsFound);
    EXPECT_EQ(figures.neverChecked, std::vector<std::string>{"never.corp.example"});
    std::vector<std::string> asked;
    for (const auto& row : Ask(*store_, "found-never-checked", {}))
        asked.push_back(row[0]);
    EXPECT_EQ(figures.neverChecked, asked);
}

TEST_F(FleetReportTest, HostileValuesAreTextInBothPages)
{
    FleetFigures figures;
    std::string error;
    ASSERT_TRUE(ReadFleetFigures(store_->Db(), kNow, figures, error)) << error;
    CheckTime now;
    now.epoch = kNow;
    now.local = "2025-12-06T06:46:40+00:00";
    for (const std::string& html : {FleetReportHtml(figures, "Z:\\<store>.db", now),
                                    ComputerSheetHtml(checks_[0], SheetHistory{}, now)}) {
        EXPECT_EQ(html.find("<img"), std::string::npos);
        EXPECT_EQ(html.find("<script"), std::string::npos);
        EXPECT_EQ(html.find("</style><"), std::string::npos);
        EXPECT_NE(html.find("&lt;img src=x onerror=alert(1)&gt;"), std::string::npos);
        EXPECT_NE(html.find("<meta charset=\"utf-8\">"), std::string::npos);
        EXPECT_NE(html.find("default-src 'none'"), std::string::npos);
    }
}

TEST_F(FleetReportTest, SheetOfACheckOutsideTheStoreHasNoHistory)
{
    CheckTime now;
    now.epoch = kNow;
    StoredCheck check = checks_[2];
    check.header.id = 0;
    const std::string html = ComputerSheetHtml(check, SheetHistory{}, now);
    EXPECT_NE(html.find(LoadText(IDS_SHEET_NO_HISTORY)), std::string::npos);
    // The automatic service that is not running is listed, the running one is not.
    const size_t services = html.find("id=\"services\"");
    ASSERT_NE(services, std::string::npos);
    const std::string section = html.substr(services, html.find("id=\"changes\"") - services);
    EXPECT_NE(section.find("&lt;/style&gt;&lt;script&gt;alert(2)&lt;/script&gt;"), std::string::npos);
    EXPECT_EQ(section.find("Spooler"), std::string::npos);
    EXPECT_NE(html.find("\xE7\xB5\x8C\xE7\x90\x86-PC03"), std::string::npos);

    SheetHistory history;
    std::string error;
    ASSERT_TRUE(ReadSheetHistory(store_->Db(), "PC01", kNow, history, error)) << error;
    EXPECT_TRUE(history.stored);
    ASSERT_TRUE(ReadSheetHistory(store_->Db(), "PC99", kNow, history, error)) << error;
    EXPECT_FALSE(history.stored);
    int64_t id = 0;
    std::string name;
    EXPECT_EQ(FindLatestCheck(store_->Db(), "pc02", id, name, error), SheetLookup::Found);
    EXPECT_EQ(name, "PC02");
    EXPECT_EQ(FindLatestCheck(store_->Db(), "PC99", id, name, error), SheetLookup::NotFound);
}
