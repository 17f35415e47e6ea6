// mirelrep over many computers, in-process against simulated computers: a file per
// computer, the summary, stopping with Ctrl+C, and bad input that writes nothing.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <future>
#include <string>
#include <vector>

#include "console/ctrl_c_stop.h"
#include "console/mirelrep.h"
#include "console/report_output.h"
#include "resources/text.h"
#include "tests/support/fake_wmi.h"
#include "tests/support/temp_files.h"

namespace {

std::vector<FakeObject> Computer(const std::wstring& host, const std::wstring& className)
{
    if (className == L"Win32_ComputerSystem")
        return {{{L"Name", FakeValue::Text(host)}, {L"Model", FakeValue::Text(L"Model of " + host)}}};
    if (className == L"Win32_BIOS")
        return {{{L"Name", FakeValue::Text(L"BIOS"), }, {L"SerialNumber", FakeValue::Text(L"SN-" + host)}}};
    return {};
}

class ManyReportTest : public testing::Test {
protected:
    void SetUp() override
    {
        SetTextLanguage(kEnglishLanguage);
        scenario_.objectsFor = Computer;
        scenario_.connectResultFor = [](const std::wstring& host) {
            return host == L"denied" ? E_ACCESSDENIED : S_OK;
        };
    }
    void TearDown() override { SetTextLanguage(0); }
    ExitCode Run(std::vector<std::string> arguments)
    {
        arguments.push_back("/q");
        return RunMirelReport(arguments, FakeWmiConnector(&scenario_));
    }
    // The summary's lines without their line ends.
    std::vector<std::string> SummaryLines() const
    {
        std::vector<std::string> lines;
        std::string text = ReadFile(folder_.File("summary.csv"));
        for (size_t start = 0, end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
            lines.push_back(text.substr(start, end - start));
        return lines;
    }

    FakeWmiScenario scenario_;
    TempFolder folder_{"mirel-many"};
};

}  // namespace

TEST_F(ManyReportTest, EveryComputerGetsItsFileAndItsSummaryRow)
{
    EXPECT_EQ(Run({"sim1", "denied", "SIM1", "sim2", "/noping", "/parallel:2", "/outdir:" + folder_.File("")}),
              ExitCode::SomeFailed);
    EXPECT_EQ(folder_.Entries(), (std::vector<std::string>{"sim1_Resource.txt", "sim2_Resource.txt", "summary.csv",
                                                           "summary.json"}));
    EXPECT_NE(ReadFile(folder_.File("sim2_Resource.txt")).find("\"Model of sim2\""), std::string::npos);
    const std::vector<std::string> lines = SummaryLines();
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_TRUE(lines[1].starts_with("\"sim1\",\"OK\",\"\",\"\",\"")) << lines[1];
    EXPECT_TRUE(lines[2].starts_with("\"denied\",\"Access denied\",\"0x80070005\",\"Can't access")) << lines[2];
    EXPECT_NE(lines[3].find("\"Model of sim2\""), std::string::npos);

    // Every computer's check as JSON, and a class check as CSV.
    EXPECT_EQ(Run({"sim1", "/noping", "/format:json", "/outdir:" + folder_.File("")}), ExitCode::Success);
    const nlohmann::json document = nlohmann::json::parse(ReadFile(folder_.File("sim1_Resource.json")));
    EXPECT_EQ(document["computer"], "sim1");
    EXPECT_EQ(document["categories"].size(), 28u);
    EXPECT_EQ(Run({"sim1", "/noping", "/class:Win32_BIOS", "/outdir:" + folder_.File("")}), ExitCode::Success);
    EXPECT_NE(ReadFile(folder_.File("sim1_Win32_BIOS.csv")).find("\"SerialNumber\",\"VT_BSTR\",\"SN-sim1\""),
              std::string::npos);
}

TEST_F(ManyReportTest, CtrlCStopsTheRunningChecksStartsNoMoreAndStillWritesTheSummary)
{
    scenario_.stallAfter = 0;   // every computer is reached but never answers
    std::vector<std::string> arguments = {"/noping", "/parallel:2", "/outdir:" + folder_.File("")};
    for (int number = 1; number <= 6; ++number)
        arguments.push_back("slow" + std::to_string(number));
    auto run = std::async(std::launch::async, [&] { return Run(arguments); });
    Sleep(1000);
    const ULONGLONG pressed = GetTickCount64();
    EXPECT_EQ(CtrlCStops::Handle(CTRL_C_EVENT), TRUE);
    ASSERT_EQ(run.wait_for(std::chrono::seconds(10)), std::future_status::ready);
    EXPECT_LT(GetTickCount64() - pressed, 3000u) << "the running checks end within a second or so";
    EXPECT_EQ(run.get(), ExitCode::Incomplete) << "interrupted: never taken for a run that ended by itself";
    EXPECT_EQ(CtrlCStops::Handle(CTRL_C_EVENT), FALSE) << "nothing routed after the run";
    EXPECT_EQ(folder_.Entries(), (std::vector<std::string>{"summary.csv", "summary.json"}));
    const std::vector<std::string> lines = SummaryLines();
    ASSERT_EQ(lines.size(), 7u);
    int started = 0;
    for (size_t line = 1; line < lines.size(); ++line) {
        EXPECT_TRUE(lines[line].starts_with("\"slow" + std::to_string(line) + "\",\"Stopped\"")) << lines[line];
        started += lines[line].find("\"20") != std::string::npos ? 1 : 0;   // a start time
    }
    EXPECT_EQ(started, 2) << "two were running, the others never started";
}

TEST_F(ManyReportTest, BadInputIsAUsageErrorAndWritesNothing)
{
    const std::string out = "/outdir:" + folder_.File("out");
    WriteFileBytes(folder_.File("empty.txt"), "# nobody\r\n");
    WriteFileBytes(folder_.File("binary.txt"), std::string("\x7F" "ELF\0\0", 6));
    std::string huge;
    for (int line = 0; line < 100000; ++line)
        huge += "pc" + std::to_string(line) + "\r\n";
    WriteFileBytes(folder_.File("huge.txt"), huge);
    const std::vector<std::vector<std::string>> cases = {
        {"@" + folder_.File("missing.txt"), out},
        {"@" + folder_.File("empty.txt"), out},
        {"@" + folder_.File("binary.txt"), out},
        {"@" + folder_.File("huge.txt"), out},
        {std::string(1000, 'n'), out},
        {"pc1", "/parallel:0", out},
        {"pc1", "/parallel:1000", out},
        {"pc1", "/parallel:8"},
        {"pc1", "pc2"},
        {"pc1", "/out:x.txt", out},
        {"pc1", "/format:xml", out},
    };
    for (const std::vector<std::string>& arguments : cases) {
        EXPECT_EQ(Run(arguments), ExitCode::Usage) << arguments[0] << " " << arguments[1];
        EXPECT_EQ(GetFileAttributesA(folder_.File("out").c_str()), INVALID_FILE_ATTRIBUTES) << arguments[0];
    }
    DeleteFileA(folder_.File("empty.txt").c_str());
    DeleteFileA(folder_.File("binary.txt").c_str());
    DeleteFileA(folder_.File("huge.txt").c_str());
}

TEST_F(ManyReportTest, FoldersOfEveryFormAndNoEmptyFolderLeftByARunThatFails)
{
    // A folder still to be made under a \\?\ prefix, parents included.
    const std::string deep = "\\\\?\\" + folder_.File("new\\deeper");
    EXPECT_EQ(Run({"sim1", "/noping", "/outdir:" + deep}), ExitCode::Success);
    EXPECT_NE(GetFileAttributesA(folder_.File("new\\deeper\\summary.json").c_str()), INVALID_FILE_ATTRIBUTES);

    // A drive alone is that drive's current folder.
    char previous[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, previous);
    ASSERT_TRUE(SetCurrentDirectoryA(folder_.File("new").c_str()));
    const std::string drive = folder_.File("").substr(0, 2);
    const ExitCode driveRun = Run({"sim1", "/noping", "/outdir:" + drive});
    SetCurrentDirectoryA(previous);
    EXPECT_EQ(driveRun, ExitCode::Success);
    EXPECT_NE(GetFileAttributesA(folder_.File("new\\summary.csv").c_str()), INVALID_FILE_ATTRIBUTES);

    // Parents made for a folder that cannot be go again, and a summary that cannot be
    // written is told before any computer is checked.
    EXPECT_EQ(Run({"sim1", "/noping", "/outdir:" + folder_.File("made\\for\\bad|name")}), ExitCode::FileError);
    EXPECT_EQ(GetFileAttributesA(folder_.File("made").c_str()), INVALID_FILE_ATTRIBUTES);
    DeleteFileA(folder_.File("new\\deeper\\summary.json").c_str());
    ASSERT_TRUE(CreateDirectoryA(folder_.File("new\\deeper\\summary.json").c_str(), nullptr));
    scenario_.queries.clear();
    EXPECT_EQ(Run({"sim1", "/noping", "/outdir:" + folder_.File("new\\deeper")}), ExitCode::FileError);
    EXPECT_TRUE(scenario_.queries.empty()) << "no computer checked";
    for (const char* name : {"new\\deeper\\summary.json", "new\\deeper\\summary.csv", "new\\deeper\\sim1_Resource.txt",
                             "new\\summary.csv", "new\\summary.json", "new\\sim1_Resource.txt"}) {
        DeleteFileA(folder_.File(name).c_str());
        RemoveDirectoryA(folder_.File(name).c_str());
    }
    RemoveDirectoryA(folder_.File("new\\deeper").c_str());
    RemoveDirectoryA(folder_.File("new").c_str());
}
