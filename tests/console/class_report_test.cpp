// mirelrep's checks in-process, against the fake WMI provider: values a hostile computer
// may hold, as they reach the CSV file, and a result file that cannot be created.
#include <gtest/gtest.h>

#include <thread>

#include "console/mirelrep.h"
#include "console/ctrl_c_stop.h"
#include "console/report_output.h"
#include "tests/support/fake_wmi.h"
#include "tests/support/temp_files.h"

TEST(ClassReport, CellsThatWouldRunAsFormulasAreTextUnlessRawAndBadOutputStopsFirst)
{
    FakeWmiScenario scenario;
    const std::string path = TempPath("mirel_class_report.csv");
    const WmiConnector fake = FakeWmiConnector(&scenario);
    const std::string missing = "/out:" + TempPath("mirel-no-such\\r.csv");
    EXPECT_EQ(RunMirelReport({"/q", "/class:1224", missing}, fake), ExitCode::FileError);
    EXPECT_EQ(RunMirelReport({"/q", missing}, fake), ExitCode::FileError);
    EXPECT_TRUE(scenario.connectedPaths.empty()) << "the file is checked before either check";
    scenario.objects.push_back({{L"Caption", FakeValue::Text(L"=HYPERLINK(\"x.invalid\")")},
                                {L"CurrentClockSpeed", FakeValue::I4(-1024)}});
    ASSERT_EQ(RunMirelReport({"/q", "/class:1224", "/out:" + path}, fake), ExitCode::Success);
    EXPECT_EQ(ReadFile(path), "\"Group\",\"Name\",\"Type\",\"Value\"\r\n"
                              "\"1\",\"Caption\",\"VT_BSTR\",\"'=HYPERLINK(\"\"x.invalid\"\")\"\r\n"
                              "\"1\",\"CurrentClockSpeed\",\"VT_I4\",\"-1,024\"\r\n");
    ASSERT_EQ(RunMirelReport({"/q", "/rawcsv", "/class:1224", "/out:" + path}, fake), ExitCode::Success);
    EXPECT_NE(ReadFile(path).find("\"=HYPERLINK("), std::string::npos);
    DeleteFileA(path.c_str());
}

// A reading that breaks off is written, warned about by class and code, and exits with 6;
// Ctrl+C during a check stops it the same way.
TEST(ClassReport, BrokenOffReadingsAndCtrlCGiveTheIncompleteExitCode)
{
    FakeWmiScenario scenario;
    scenario.objects = {{{L"Name", FakeValue::Text(L"one")}}, {{L"Name", FakeValue::Text(L"two")}}};
    scenario.breakOffAfter = 1;
    const WmiConnector fake = FakeWmiConnector(&scenario);
    const std::string path = TempPath("mirel_incomplete.csv");
    EXPECT_EQ(RunMirelReport({"/q", "/class:Win32_Processor", "/out:" + path}, fake), ExitCode::Incomplete);
    EXPECT_NE(ReadFile(path).find("\"one\""), std::string::npos);
    EXPECT_EQ(RunMirelReport({"/q", "/out:" + path}, fake), ExitCode::Incomplete);
    EXPECT_NE(ReadFile(path).find("one"), std::string::npos);

    scenario.breakOffAfter = -1;
    scenario.stallAfter = 1;
    std::thread pressCtrlC([] {
        Sleep(700);
        CtrlCStops::Handle(CTRL_C_EVENT);
    });
    DWORD start = GetTickCount();
    EXPECT_EQ(RunMirelReport({"/q", "/class:Win32_Processor", "/out:" + path}, fake), ExitCode::Incomplete);
    pressCtrlC.join();
    EXPECT_LT(GetTickCount() - start, 700u + 1000u);
    EXPECT_NE(ReadFile(path).find("\"one\""), std::string::npos) << "what was read is written";
    EXPECT_FALSE(CtrlCStops::Handle(CTRL_C_EVENT)) << "no check: the default handler ends the process";
    DeleteFileA(path.c_str());
}
