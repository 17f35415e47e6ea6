// The report tool's command line, its catalog listings, /explain and the progress lines,
// in-process.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "base/class_ids.h"
#include "console/catalog_listing.h"
#include "console/console_reporter.h"
#include "console/explain_value.h"
#include "console/progress_lines.h"
#include "console/report_options.h"
#include "engine/check_context.h"
#include "individual/class_catalog.h"
#include "render/decode.h"
#include "resources/text.h"
#include "standard/category_catalog.h"

namespace {

class ReportOptionsTest : public testing::Test {
protected:
    void SetUp() override { SetTextLanguage(kEnglishLanguage); }
    void TearDown() override { SetTextLanguage(0); }

    bool Parse(std::vector<std::string> arguments)
    {
        reason_.clear();
        return ParseReportOptions(arguments, options_, reason_);
    }

    ReportOptions options_;
    std::string reason_;
};

}  // namespace

TEST_F(ReportOptionsTest, NothingMeansTheStandardCheckOfTheLocalComputer)
{
    ASSERT_TRUE(Parse({}));
    EXPECT_EQ(options_.command, ReportCommand::StandardCheck);
    EXPECT_EQ(options_.computer, "");
    EXPECT_EQ(options_.outPath, "");
    EXPECT_FALSE(options_.quiet);
    ASSERT_TRUE(Parse({"  "}));
    EXPECT_EQ(options_.computer, "") << "a blank name is the local computer";
    ASSERT_TRUE(Parse({" . "}));
    EXPECT_EQ(options_.computer, "") << "so is \".\", alone as in a list";
}

TEST_F(ReportOptionsTest, ComputerClassOutputAndQuietInAnyOrderAndCase)
{
    ASSERT_TRUE(Parse({"/CLASS:win32_processor", " pc01 ", "-Out:C:\\r:1.csv", "/Q"}));
    EXPECT_EQ(options_.command, ReportCommand::ClassCheck);
    EXPECT_EQ(options_.classId, ClassId::Win32_Processor);
    EXPECT_EQ(options_.computer, "pc01");
    EXPECT_EQ(options_.outPath, "C:\\r:1.csv") << "the value runs from the first colon on";
    EXPECT_TRUE(options_.quiet);
    ASSERT_TRUE(Parse({"-class:1224"}));
    EXPECT_EQ(options_.classId, 1224);
    ASSERT_TRUE(Parse({"/class:1301"}));
    EXPECT_EQ(options_.classId, 1301);
}

TEST_F(ReportOptionsTest, CheckOptionsForRemoteComputers)
{
    ASSERT_TRUE(Parse({"pc01", "/noping", "/TIMEOUT:30", "/user:WORKGROUP\\auditor", "/password:*"}));
    EXPECT_TRUE(options_.noPing);
    EXPECT_EQ(options_.timeoutSeconds, 30u);
    EXPECT_EQ(options_.user, "WORKGROUP\\auditor");
    ASSERT_TRUE(Parse({"pc01", "/class:Win32_BIOS", "-noping"}));
    EXPECT_TRUE(options_.noPing);
    EXPECT_EQ(options_.timeoutSeconds, 0u);
}

TEST_F(ReportOptionsTest, HelpWinsOverEverythingElse)
{
    ASSERT_TRUE(Parse({"/bogus", "/?"}));
    EXPECT_EQ(options_.command, ReportCommand::Help);
    ASSERT_TRUE(Parse({"-?"}));
    EXPECT_EQ(options_.command, ReportCommand::Help);
}

TEST_F(ReportOptionsTest, UsageErrorsGiveOneLineReasons)
{
    struct Case {
        std::vector<std::string> arguments;
        std::string reason;
    };
    const Case cases[] = {
        {{"/bogus"}, "Unknown option: /bogus"},
        {{"-"}, "Unknown option: -"},
        {{"/q:1"}, "Unknown option: /q:1"},
        {{"/classes:x"}, "Unknown option: /classes:x"},
        {{"/class"}, "This option needs a value: /class"},
        {{"/class:"}, "This option needs a value: /class:"},
        {{"/out:"}, "This option needs a value: /out:"},
        {{"/class:Win32_NoSuchThing"}, "Unknown class: Win32_NoSuchThing"},
        {{"/class:CIM_Processor"}, "Unknown class: CIM_Processor"},
        {{"/class:999"}, "Class identifier out of range (1000 to 1301): 999"},
        {{"/class:1302"}, "Class identifier out of range (1000 to 1301): 1302"},
        {{"/class:-1224"}, "Class identifier out of range (1000 to 1301): -1224"},
        {{"/class:99999999999999999999"},
         "Class identifier out of range (1000 to 1301): 99999999999999999999"},
        {{"pc01", "pc02"}, "Several computers need /outdir:<folder> for their results: pc02"},
        {{"/classes", "/categories"}, "These options cannot be combined: /classes /categories"},
        {{"/class:1224", "/explain:1224.Name=x"},
         "These options cannot be combined: /class:1224 /explain:1224.Name=x"},
        {{"/classes", "/classes"}, "This option is given twice: /classes"},
        {{"/out:a", "/out:b"}, "This option is given twice: /out:b"},
        {{"/vt:8"}, "This option is only used with /explain: /vt:8"},
        {{"/classes", "-RAWCSV"}, "This option is only used with /class: -RAWCSV"},
        {{"/classes", "pc01"}, "No computer name is used with this option: /classes"},
        {{"/explain:Win32_Processor.Architecture"},
         "Expected /explain:<class>.<property>=<value>: Win32_Processor.Architecture"},
        {{"/explain:Win32_Processor=9"},
         "Expected /explain:<class>.<property>=<value>: Win32_Processor=9"},
        {{"/explain:Win32_Processor.=9"},
         "Expected /explain:<class>.<property>=<value>: Win32_Processor.=9"},
        {{"/explain:.Name=9"}, "Expected /explain:<class>.<property>=<value>: .Name=9"},
        {{"/explain:Win32_Processor.NoSuch=1"},
         "Unknown property of the class: Win32_Processor.NoSuch"},
        {{"/explain:Win32_Nothing.Name=1"}, "Unknown class: Win32_Nothing"},
        {{"/explain:1224.Architecture=9", "/vt:x"}, "Invalid value type number: x"},
        {{"/explain:1224.Architecture=9", "/vt:70000"}, "Invalid value type number: 70000"},
        {{"/explain:1224.Architecture=9", "/vt:-3"}, "Invalid value type number: -3"},
        {{"/vt:2", "/explain:1224.Level=70000"}, "The value is no number of the /vt type: 70000"},
        {{"/explain:1224.Name=12abc", "/vt:0x2005"}, "The value is no number of the /vt type: 12abc"},
        {{"/classes", "/noping"}, "This option is only used with a check: /noping"},
        {{"/explain:1224.Name=x", "/user:a"}, "This option is only used with a check: /user:a"},
        {{"/timeout:0"}, "The time limit must be a whole number of seconds from 1 to 86400: /timeout:0"},
        {{"/timeout:86401"}, "The time limit must be a whole number of seconds from 1 to 86400: /timeout:86401"},
        {{"/timeout:99999999999999999999"},
         "The time limit must be a whole number of seconds from 1 to 86400: /timeout:99999999999999999999"},
        {{"/timeout:1.5"}, "The time limit must be a whole number of seconds from 1 to 86400: /timeout:1.5"},
        {{"/user:"}, "This option needs a value: /user:"},
        {{"pc01", "/user:a", "/password:hunter2"},
         "Give /password:* and type the password when asked, not on the command line: /password:..."},
        {{"pc01", "/timeout:5", "/timeout:9"}, "This option is given twice: /timeout:9"},
        {{"pc01", "/user:a", "/user:b"}, "This option is given twice: /user:b"},
        {{"pc01", "/user:a", "/password:*", "/password:*"}, "This option is given twice: /password:..."},
        {{"pc\x01"}, "A computer name holds a control character: pc\\x01"},
        {{"pc01", "pc\x7F" "02", "/outdir:x"}, "A computer name holds a control character: pc\\x7F02"},
    };
    for (const Case& check : cases) {
        EXPECT_FALSE(Parse(check.arguments)) << check.reason;
        EXPECT_EQ(reason_, check.reason);
        EXPECT_EQ(reason_.find('\n'), std::string::npos);
    }
}

TEST_F(ReportOptionsTest, ExplainTakesClassPropertyValueAndType)
{
    ASSERT_TRUE(Parse({"/explain:win32_PROCESSOR.architecture=9"}));
    EXPECT_EQ(options_.command, ReportCommand::Explain);
    EXPECT_EQ(options_.explain.classId, ClassId::Win32_Processor);
    EXPECT_STREQ(options_.explain.propertyName, L"Architecture") << "the catalog's spelling";
    EXPECT_EQ(options_.explain.value, "9");
    EXPECT_FALSE(options_.explain.typeGiven);

    ASSERT_TRUE(Parse({"/vt:0x8", "/explain:1254.PathName=C:\\a.exe x=1.2"}));
    EXPECT_EQ(options_.explain.classId, ClassId::Win32_Service);
    EXPECT_EQ(options_.explain.value, "C:\\a.exe x=1.2") << "the value keeps '=' and '.'";
    EXPECT_TRUE(options_.explain.typeGiven);
    EXPECT_EQ(options_.explain.type, VT_BSTR);

    ASSERT_TRUE(Parse({"/explain:Win32_Processor.Name="}));
    EXPECT_EQ(options_.explain.value, "") << "an empty value may be explained too";
}

TEST_F(ReportOptionsTest, DefaultTypeIsI4ForThirtyTwoBitIntegersOnly)
{
    EXPECT_EQ(DefaultValueType("9"), VT_I4);
    EXPECT_EQ(DefaultValueType("-2147483648"), VT_I4);
    EXPECT_EQ(DefaultValueType("4294967295"), VT_I4);
    EXPECT_EQ(DefaultValueType("+12"), VT_I4);
    EXPECT_EQ(DefaultValueType("4294967296"), VT_BSTR) << "64-bit numbers arrive as text";
    EXPECT_EQ(DefaultValueType("82252800000"), VT_BSTR);
    EXPECT_EQ(DefaultValueType("1.5"), VT_BSTR);
    EXPECT_EQ(DefaultValueType(" 9"), VT_BSTR);
    EXPECT_EQ(DefaultValueType(""), VT_BSTR);
    EXPECT_EQ(DefaultValueType("-"), VT_BSTR);
    EXPECT_EQ(DefaultValueType("Auto"), VT_BSTR);
}

TEST_F(ReportOptionsTest, ExplainedValueIsWhatTheDecodersMakeOfIt)
{
    ExplainRequest request;
    std::string reason;
    ASSERT_TRUE(ParseExplainTarget("Win32_Processor.Architecture=9", request, reason));
    EXPECT_EQ(ExplainValue(request), "9 : x64");

    ASSERT_TRUE(ParseExplainTarget("Win32_Processor.Level=12345", request, reason));
    EXPECT_EQ(ExplainValue(request), DecodePropertyValue(1224, VT_I4, L"Level", "12345"));
    request.typeGiven = true;
    request.type = VT_BSTR;
    EXPECT_EQ(ExplainValue(request), DecodePropertyValue(1224, VT_BSTR, L"Level", "12345"));
    request.type = VT_ARRAY | VT_I4;
    EXPECT_EQ(ExplainValue(request), DecodePropertyValue(1224, VT_I4, L"Level", "12345"))
        << "an array type explains one element";
}

TEST_F(ReportOptionsTest, EveryIeeeSpecialValueIsAValueOfTheRealTypesAlike)
{
    for (const char* type : {"/vt:5", "/vt:4"}) {
        for (const auto& [value, shown] : {std::pair{"inf", "inf"}, {"-inf", "-inf"}, {"1e309", "inf"},
                                           {"-1e309", "-inf"}, {"nan", "nan"}}) {
            ASSERT_TRUE(Parse({std::string("/explain:Win32_Processor.Description=") + value, type}))
                << value << " " << type << ": " << reason_;
            EXPECT_EQ(ExplainValue(options_.explain), shown) << value << " " << type;
        }
    }
}

TEST_F(ReportOptionsTest, CategoryListingHasTheTwentyEightCategories)
{
    std::vector<std::string> lines = StandardCategoryLines();
    ASSERT_EQ(lines.size(), 28u);
    EXPECT_EQ(lines[0], "0\t4\tCD-ROM Drive\tHardware\tWin32_CDROMDrive\t1013\t9");
    EXPECT_EQ(lines[19], "19\t23\tSystem\tOperating System\tWin32_OperatingSystem\t1103\t21");
    EXPECT_EQ(lines[27], "27\t31\tQuick Fix Engineering\tSoftware\tWin32_QuickFixEngineering\t1235\t8");
}

TEST_F(ReportOptionsTest, ClassListingHasALinePerClassAndPlace)
{
    std::vector<std::string> lines = ClassCatalogLines();
    ASSERT_EQ(lines.size(), 304u) << "302 classes; Win32_Perf and Win32_Volume sit in two places";
    EXPECT_EQ(lines[0], "1000\tWin32_1394Controller\tWin32_1394Controller\t"
                        "Computer System Hardware Classes\tMotherboard, Controller, and Port Classes\t23");
    int perf = 0, volume = 0;
    for (const std::string& line : lines) {
        perf += line.starts_with("1113\tWin32_Perf\t");
        volume += line.find("\tWin32_Volume\t") != std::string::npos;
        size_t tabs = std::count(line.begin(), line.end(), '\t');
        EXPECT_EQ(tabs, 5u) << line;
    }
    EXPECT_EQ(perf, 2);
    EXPECT_EQ(volume, 2);
}

TEST(ErrorStream, ProgressLinesAreWrittenOnceAndNeverAfterAMessageAboutThem)
{
    SharedText progress;
    StringTextSink sink;
    ErrorStream errors(sink);
    errors.Follow(&progress);
    errors.Progress("Checking resources : BIOS");
    errors.Progress("Checking resources : BIOS");
    errors.Progress("");
    progress.Set("Checking resources : Disk Drive");
    errors.Message("WQL Query failed.\n\n[Code]");
    errors.Progress("Checking resources : Disk Drive");
    errors.Progress("Checking resources : Processor");
    EXPECT_EQ(sink.Text(),
              "Checking resources : BIOS\r\n"
              "WQL Query failed.\r\n\r\n[Code]\r\n"
              "Checking resources : Processor\r\n");
}

TEST(ProgressPrinter, SamplesTheStatusTextWhileItRuns)
{
    SharedText progress;
    StringTextSink sink;
    ErrorStream errors(sink);
    progress.Set("Checking resources : BIOS (1)");
    {
        ProgressPrinter printer(errors, progress, true);
        Sleep(3 * kProgressPeriodMs);
    }
    progress.Set("Checking resources : Processor");
    Sleep(2 * kProgressPeriodMs);
    EXPECT_EQ(sink.Text(), "Checking resources : BIOS (1)\r\n") << "once, and nothing after the end";
    {
        ProgressPrinter quiet(errors, progress, false);
        Sleep(2 * kProgressPeriodMs);
    }
    EXPECT_EQ(sink.Text(), "Checking resources : BIOS (1)\r\n") << "/q prints nothing";
}

TEST(ConsoleReporter, AnswersQuestionsYesAndKeepsRowsAsTheListShowsThem)
{
    SetTextLanguage(kEnglishLanguage);
    StringTextSink sink;
    ErrorStream errors(sink);
    ConsoleReporter reporter(errors, "Win32_Processor");
    EXPECT_EQ(reporter.ShowMessage("Stopped.\nSee the data?", MB_YESNO | MB_ICONINFORMATION), IDYES);
    EXPECT_EQ(reporter.ShowMessage("Data is not exist.", MB_ICONEXCLAMATION), IDOK);
    EXPECT_EQ(sink.Text(), "Stopped.\r\nSee the data?\r\nData is not exist.\r\n");
    EXPECT_EQ(reporter.SelectedClassText(), "Win32_Processor");

    reporter.AddClassRows({{4000000000u, "Name", "VT_BSTR", "CPU", 0}, {1, "Level", "VT_I4", "15", 1}});
    const ResultModel& rows = reporter.ClassRows();
    ASSERT_EQ(rows.ColumnCount(), 4);
    EXPECT_EQ(rows.Column(0).header, "Group");
    EXPECT_EQ(rows.Column(3).header, "Value");
    ASSERT_EQ(rows.RowCount(), 2);
    EXPECT_EQ(rows.Cell(0, 0), "4000000000") << "object numbers are unsigned";
    EXPECT_EQ(rows.Cell(1, 2), "VT_I4");
    EXPECT_EQ(rows.ItemData(1), 1);
    SetTextLanguage(0);
}
