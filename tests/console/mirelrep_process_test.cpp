// mirelrep.exe run as a child process under Wine, as an administrator's script runs it:
// what it writes to standard output and standard error, and its exit codes.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "base/class_ids.h"
#include "base/text_util.h"
#include "console/report_output.h"
#include "engine/domain_clause.h"
#include "engine/wmi_session.h"
#include "individual/class_catalog.h"
#include "render/decode.h"
#include "render/value_render.h"
#include "base/format_text.h"
#include "base/narrow.h"
#include "resources/resource.h"
#include "resources/text.h"
#include "standard/category_catalog.h"
#include "tests/console/child_process.h"
#include "tests/support/com_scope.h"
#include "tests/support/wmi_reader.h"

namespace {

std::string WithCrLf(const std::string& text)
{
    return ToTextModeLineEnds(text);
}

std::string TempPath(const std::string& name)
{
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    return std::string(folder) + name;
}

std::vector<std::wstring> PropertiesOf(const wchar_t* const* names)
{
    std::vector<std::wstring> properties;
    for (; *names; ++names)
        properties.push_back(*names);
    return properties;
}

// The sections of a standard report: category label -> its row lines (without the
// column line); "Data is not exist." sections have none.
struct ParsedReport {
    std::string header;
    std::vector<std::string> groups;
    std::vector<std::string> categories;
    std::map<std::string, std::vector<std::string>> rows;
    std::map<std::string, std::string> columnLines;
};

ParsedReport ParseReport(const std::string& text)
{
    ParsedReport report;
    std::vector<std::string> lines = CrLfLines(text);
    if (lines.empty())
        return report;
    report.header = lines[0];
    std::string category;
    for (size_t i = 1; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        if (line.starts_with("\t\t\"")) {
            if (report.columnLines.count(category) == 0)
                report.columnLines[category] = line;
            else
                report.rows[category].push_back(line);
        } else if (line.starts_with("\t\t")) {
            EXPECT_EQ(line, "\t\tData is not exist.") << category;
        } else if (line.starts_with("\t")) {
            category = line.substr(1);
            report.categories.push_back(category);
            report.rows[category];
        } else if (!line.empty()) {
            report.groups.push_back(line);
        }
    }
    return report;
}

class MirelrepProcess : public testing::Test {
protected:
    void SetUp() override { SetTextLanguage(0); }
};

}  // namespace

TEST_F(MirelrepProcess, HelpGoesToStandardOutput)
{
    for (const char* option : {"/?", "-?"}) {
        ChildRun run = RunMirelrep(option);
        EXPECT_EQ(run.exitCode, 0u);
        EXPECT_EQ(run.out, WithCrLf(LoadText(IDS_REPORT_USAGE) + "\n" + LoadText(IDS_REPORT_USAGE_SOURCES) + "\n"));
        EXPECT_NE(run.out.find("mirelrep [computer] /class:<class>"), std::string::npos);
        EXPECT_EQ(run.err, "");
    }
}

TEST_F(MirelrepProcess, ListsTheClassCatalog)
{
    ChildRun run = RunMirelrep("/classes");
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_EQ(run.err, "");
    std::vector<std::string> lines = CrLfLines(run.out);
    ASSERT_EQ(lines.size(), 304u);
    EXPECT_TRUE(lines[0].starts_with("1000\tWin32_1394Controller\t"));
    EXPECT_EQ(lines.back(), "1301\tWin32_DeviceChangeEvent\tWin32_DeviceChangeEvent\t"
                            "Operating System Classes\tOperating system events\t3");
}

TEST_F(MirelrepProcess, ListsTheStandardCategories)
{
    ChildRun run = RunMirelrep("-CATEGORIES");
    EXPECT_EQ(run.exitCode, 0u);
    std::vector<std::string> lines = CrLfLines(run.out);
    ASSERT_EQ(lines.size(), 28u);
    EXPECT_EQ(lines[9], "9\t13\tDisk Drive\tHardware\tWin32_DiskDrive\t1041\t19");
    EXPECT_EQ(lines[24], "24\t28\tGroup\tOperating System\tWin32_Group\t1055\t6");
}

TEST_F(MirelrepProcess, ExplainsValues)
{
    struct Case {
        const char* arguments;
        std::string expected;
    };
    const Case cases[] = {
        {"/explain:Win32_Processor.Architecture=9", "9 : x64"},
        {"/explain:1224.architecture=9", "9 : x64"},
        {"\"/explain:Win32_Service.StartMode=Auto\"",
         DecodePropertyValue(ClassId::Win32_Service, VT_BSTR, L"StartMode", "Auto")},
        {"/explain:Win32_DiskDrive.Size=82252800000", "82,252,800,000"},
        {"/explain:Win32_Processor.Name=12345", "12,345"},   // an integer type is grouped
        {"/explain:Win32_Processor.Name=12345 /vt:8", "12345"},
        {"/explain:Win32_Processor.Description=1e300 /vt:5", FormatText("%lf", 1e300)},
        {"/explain:Win32_Processor.Name=65 /vt:16", "A"},   // a VT_I1 shows as its character
        {"/explain:Win32_ComputerSystem.BootOptionOnWatchDog=3", "3 : Do not reboot"},
    };
    for (const Case& check : cases) {
        ChildRun run = RunMirelrep(check.arguments);
        EXPECT_EQ(run.exitCode, 0u) << check.arguments;
        EXPECT_EQ(run.out, check.expected + "\r\n") << check.arguments;
        EXPECT_EQ(run.err, "");
    }
}

TEST_F(MirelrepProcess, UsageErrorsExitWithTwoAndAReason)
{
    const std::pair<const char*, const char*> cases[] = {
        {"/bogus", "Unknown option: /bogus"},
        {"/class:Win32_NoSuchThing", "Unknown class: Win32_NoSuchThing"},
        {"/class:1302", "Class identifier out of range (1000 to 1301): 1302"},
        {"/explain:Win32_Processor.Architecture",
         "Expected /explain:<class>.<property>=<value>: Win32_Processor.Architecture"},
        {"/explain:Win32_Processor=9", "Expected /explain:<class>.<property>=<value>: Win32_Processor=9"},
        {"pc01 pc02", "Several computers need /outdir:<folder> for their results: pc02"},
    };
    for (const auto& [arguments, reason] : cases) {
        ChildRun run = RunMirelrep(arguments);
        EXPECT_EQ(run.exitCode, 2u) << arguments;
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err, std::string(reason) + "\r\nType \"mirelrep /?\" for help.\r\n");
    }
}

TEST_F(MirelrepProcess, HostThatDoesNotResolveExitsWithThreeAndADotIsThisComputer)
{
    ChildRun run = RunMirelrep("no-such-host.invalid");
    EXPECT_EQ(run.exitCode, 3u);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "Could not find the host no-such-host.invalid\r\n");
    run = RunMirelrep(". /q /class:Win32_BIOS");
    EXPECT_EQ(run.exitCode, 0u) << run.err;
    EXPECT_NE(run.out.find("\"SerialNumber\""), std::string::npos) << run.out;
}

TEST_F(MirelrepProcess, LoopbackAnswersThePingButHasNoRemoteWmi)
{
    ChildRun run = RunMirelrep("127.0.0.1 /q");
    EXPECT_EQ(run.exitCode, 4u);
    EXPECT_EQ(run.out, "");
    std::string expected;
    // Wine has no remote WMI: the connection fails with 0x80041015.
    ComposeErrorText(expected, FillIn(LoadText(IDS_CONNECT_FAILED), "127.0.0.1"), static_cast<HRESULT>(0x80041015));
    EXPECT_EQ(run.err, WithCrLf(expected + "\n")) << "one message: the first category's";
}

TEST_F(MirelrepProcess, AnotherAccountIsRefusedForTheLocalComputerAndItsPasswordNeverShown)
{
    ChildRun run = RunMirelrep("/q /class:Win32_BIOS /user:auditor /password:*", "pa55word\r\n");
    EXPECT_EQ(run.exitCode, 4u);
    EXPECT_TRUE(run.err.starts_with("Password for auditor: \r\n")) << "the piped prompt ends its line: " << run.err;
    EXPECT_NE(run.err.find("0x80041064"), std::string::npos) << run.err;
    EXPECT_EQ(run.err.find("pa55word"), std::string::npos);
    EXPECT_EQ(run.out.find("pa55word"), std::string::npos);
    run = RunMirelrep("/q /class:Win32_BIOS /user:auditor", "\r\n");
    EXPECT_EQ(run.exitCode, 2u) << "no password to read";
    EXPECT_NE(run.err.find("No password was given for auditor."), std::string::npos) << run.err;
}

TEST_F(MirelrepProcess, FullDiskExitsWithFiveAndNamesTheFile)
{
    ChildRun run = RunMirelrep("/q /out:Z:\\dev\\full");
    EXPECT_EQ(run.exitCode, 5u);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "File Write Error.\r\n\r\nFile Name : Z:\\dev\\full\r\n");
}

TEST_F(MirelrepProcess, MissingFolderExitsWithFive)
{
    const std::string path = TempPath("mirel-no-such-folder\\r.csv");
    ChildRun run = RunMirelrep("/q /class:Win32_Processor \"/out:" + path + "\"");
    EXPECT_EQ(run.exitCode, 5u);
    EXPECT_EQ(run.err, "File Open Error.\r\n\r\nFile Name : " + path + "\r\n");
}

TEST_F(MirelrepProcess, ClassWithoutObjectsExitsWithOne)
{
    // Wine's provider has no Win32_TapeDrive objects.
    ChildRun run = RunMirelrep("/q /class:Win32_TapeDrive");
    EXPECT_EQ(run.exitCode, 1u);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "Data is not exist.\r\n");
}

TEST_F(MirelrepProcess, ProcessorRowsAsCsv)
{
    ChildRun run = RunMirelrep("/q /class:Win32_Processor");
    ASSERT_EQ(run.exitCode, 0u) << run.err;
    EXPECT_EQ(run.err, "");
    std::vector<std::string> lines = CrLfLines(run.out);
    ASSERT_GT(lines.size(), 5u);
    EXPECT_EQ(lines[0], "\"Group\",\"Name\",\"Type\",\"Value\"");

    ComScope com;
    std::vector<RawWmiObject> raw = ReadLocalWmi(L"Select * from Win32_Processor", {L"Name", L"Architecture"});
    ASSERT_FALSE(raw.empty());
    std::string name;
    RenderPropertyValue(raw[0][L"Name"].Get(), name, ClassId::Win32_Processor, L"Name");
    std::string architecture;
    RenderPropertyValue(raw[0][L"Architecture"].Get(), architecture, ClassId::Win32_Processor,
                        L"Architecture");
    auto has = [&](const std::string& line) {
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    };
    EXPECT_TRUE(has("\"1\",\"Name\",\"VT_BSTR\",\"" + name + "\""));
    EXPECT_TRUE(has("\"1\",\"Architecture\",\"VT_I4\",\"" + architecture + "\""));
    EXPECT_NE(architecture.find(" : "), std::string::npos) << "decoded, not the raw code";

    ChildRun byNumber = RunMirelrep("/q /class:1224");
    EXPECT_EQ(CrLfLines(byNumber.out).size(), lines.size());
}

TEST_F(MirelrepProcess, StandardReportOfTheLocalComputerHasEveryObject)
{
    ChildRun run = RunMirelrep("/q");
    ASSERT_EQ(run.exitCode, 0u) << run.err;
    EXPECT_EQ(run.err, "") << "/q: no progress lines";
    ASSERT_TRUE(run.out.starts_with("LocalComputer\r\n\r\n\r\nHardware\r\n"));
    ParsedReport report = ParseReport(run.out);
    EXPECT_EQ(report.header, "LocalComputer");
    EXPECT_EQ(report.groups, (std::vector<std::string>{"Hardware", "Operating System", "Software"}));
    ASSERT_EQ(report.categories.size(), 28u);

    ComScope com;
    const std::string clause = BuildDomainClause(WmiConnector{}, "");
    for (const StandardCategory& category : kStandardCategories) {
        const std::string label = LoadText(category.labelStringId);
        EXPECT_EQ(report.categories[category.storeIndex], label);
        std::string query = category.query;
        if (category.storeIndex == 23 || category.storeIndex == 24)
            query += clause;
        std::vector<RawWmiObject> raw =
            ReadLocalWmi(ToWide(query), PropertiesOf(category.propertyNames));
        size_t expected = raw.size();
        if (category.storeIndex == 27) {
            for (RawWmiObject& object : raw) {
                std::string id;
                RenderPropertyValue(object[L"HotFixID"].Get(), id, category.classId, L"HotFixID");
                expected -= _stricmp(id.c_str(), "File 1") == 0;
            }
        }
        EXPECT_EQ(report.rows[label].size(), expected) << label;
        if (expected > 0) {
            EXPECT_EQ(std::count(report.columnLines[label].begin(), report.columnLines[label].end(), ','),
                      category.columnCount - 1);
        }
    }
    ASSERT_FALSE(report.rows["Processor"].empty());
    std::vector<RawWmiObject> processors =
        ReadLocalWmi(L"Select Name from Win32_Processor", {L"Name"});
    std::string name;
    RenderPropertyValue(processors[0][L"Name"].Get(), name, ClassId::Win32_Processor, L"Name");
    EXPECT_TRUE(report.rows["Processor"][0].starts_with("\t\t\"" + name + "\",")) << "real values";
}

TEST_F(MirelrepProcess, ReportIntoAFileWritesNothingToStandardOutput)
{
    const std::string path = TempPath("mirelrep_report.txt");
    ChildRun run = RunMirelrep("\"\" /q \"/out:" + path + "\"");
    EXPECT_EQ(run.exitCode, 0u) << run.err;
    EXPECT_EQ(run.out, "");
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    char start[27] = {};
    DWORD read = 0;
    ReadFile(file, start, sizeof start, &read, nullptr);
    CloseHandle(file);
    EXPECT_EQ(std::string(start, read), "LocalComputer\r\n\r\n\r\nHardware");
    DeleteFileA(path.c_str());
}

TEST_F(MirelrepProcess, ProgressLinesGoToStandardErrorOnly)
{
    // Under Wine a check is often over before the first 250 ms sample: whatever progress
    // was seen stands on standard error alone.
    ChildRun run = RunMirelrep("/class:Win32_Service");
    EXPECT_EQ(run.exitCode, 0u);
    for (const std::string& line : CrLfLines(run.err))
        EXPECT_TRUE(line.starts_with("Checking resources :  Win32_Service")) << line;
    EXPECT_EQ(run.out.find("Checking"), std::string::npos);
}

// Run under the Japanese locale as well (see the japanese filter file). Redirected output
// is in the ANSI code page unless /utf8 is given: Shift-JIS (932) in the Japanese run.
TEST(JapaneseConsole, MessagesAndReportInTheUserInterfaceLanguage)
{
    const bool japanese = TextLanguage() == kJapaneseLanguage;
    ChildRun bad = RunMirelrep("/bogus");
    EXPECT_EQ(bad.exitCode, 2u);
    EXPECT_EQ(bad.err, ToAnsi(LoadText(IDS_REPORT_UNKNOWN_OPTION) + "/bogus\r\n" +
                              LoadText(IDS_REPORT_USAGE_HINT) + "\r\n").bytes);
    ChildRun categories = RunMirelrep("/categories");
    EXPECT_EQ(categories.exitCode, 0u) << "the code page holds every text of its language";
    std::vector<std::string> lines = CrLfLines(categories.out);
    ASSERT_EQ(lines.size(), 28u);
    const std::string cdrom = LoadText(4005), hardware = LoadText(4003);
    EXPECT_EQ(lines[0], ToAnsi("0\t4\t" + cdrom + "\t" + hardware + "\tWin32_CDROMDrive\t1013\t9").bytes);
    ChildRun utf8 = RunMirelrep("/categories /utf8");
    EXPECT_EQ(utf8.out.substr(0, 3), "\xEF\xBB\xBF") << "a file: marked as UTF-8";
    EXPECT_EQ(CrLfLines(utf8.out.substr(3))[0], "0\t4\t" + cdrom + "\t" + hardware + "\tWin32_CDROMDrive\t1013\t9");
    EXPECT_EQ(japanese, cdrom != "CD-ROM Drive") << "the child runs in the same language";
    ChildRun explained = RunMirelrep("/explain:Win32_ComputerSystem.AdminPasswordStatus=1");
    EXPECT_EQ(explained.out, japanese ? ToNarrow(L"1 : \u6709\u52b9\r\n", 932) : "1 : Enabled\r\n");
}
