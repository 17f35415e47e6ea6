// File > Check several computers... with Wine's real WMI: the window's summary is the one
// mirelrep writes for the same list, its list tools work, and a double click shows the
// computer's standard results in the Standard tab.
#include <gtest/gtest.h>

#include <map>

#include "console/mirelrep.h"
#include "resources/resource.h"
#include "resources/text.h"
#include "shell/multi_check_window.h"
#include "tests/shell/app_fixture.h"
#include "tests/support/fake_wmi.h"
#include "tests/support/temp_files.h"
#include "ui/open_dialog.h"
#include "ui/save_dialog.h"

namespace {

class MultiCheckWindowTest : public AppFixture {
protected:
    MultiCheckWindow& Window()
    {
        Frame().RunCommand(ID_FILE_CHECK_SEVERAL);
        EXPECT_NE(View().MultiCheck(), nullptr);
        return *View().MultiCheck();
    }
    // Computer -> result, error code and message, as a summary's first four columns.
    using Outcomes = std::map<std::string, std::vector<std::string>>;
    static Outcomes OutcomesOf(const ResultModel& model)
    {
        Outcomes outcomes;
        for (int row = 0; row < model.RowCount(); ++row)
            outcomes[model.Cell(row, 0)] = {model.Cell(row, 1), model.Cell(row, 2), model.Cell(row, 3)};
        return outcomes;
    }
    int RowOf(MultiCheckWindow& window, const std::string& computer)
    {
        const ResultModel& model = window.SummaryList().Model();
        for (int row = 0; row < model.RowCount(); ++row)
            if (model.Cell(row, 0) == computer)
                return row;
        return -1;
    }
};

}  // namespace

TEST_F(MultiCheckWindowTest, SameSummaryAsMirelrepAndADoubleClickShowsTheComputer)
{
    MultiCheckWindow& window = Window();
    ASSERT_TRUE(window.IsValid());
    window.SetNames(".\r\nlocalhost\r\n127.0.0.1\r\nnothere.invalid\r\n");
    window.SetParallel(4);
    window.OnRunButton();
    EXPECT_TRUE(window.IsRunning());
    PumpUntil([&] { return !window.IsRunning(); });
    EXPECT_EQ(window.Progress().Pos(), 4);
    EXPECT_EQ(window.StatusText(), "4 computers: 2 OK, 1 Host not found, 1 WMI error");

    // mirelrep, given the same list, writes the same outcomes.
    TempFolder folder("mirel-window-many");
    EXPECT_EQ(RunMirelReport({"", "localhost", "127.0.0.1", "nothere.invalid", "/q", "/outdir:" + folder.File("")}), ExitCode::SomeFailed);
    ResultModel written;
    const std::string csv = ReadFile(folder.File("summary.csv"));
    for (size_t start = csv.find("\r\n") + 2, end; (end = csv.find("\r\n", start)) != std::string::npos; start = end + 2) {
        std::vector<std::string> cells;
        const std::string line = csv.substr(start + 1, end - start - 2);   // without the outer quotes
        for (size_t from = 0, to; from <= line.size(); from = to + 3) {
            to = line.find("\",\"", from);
            if (to == std::string::npos)
                to = line.size();
            cells.push_back(line.substr(from, to - from));
        }
        written.AppendRow({cells});
    }
    const Outcomes shown = OutcomesOf(window.SummaryList().Model());
    EXPECT_EQ(shown, OutcomesOf(written));
    EXPECT_EQ(shown.at("127.0.0.1")[1], "0x80041015");
    EXPECT_EQ(shown.at("localhost")[0], "OK");

    // Sorted by result, the rows still open their own computer.
    window.SendMsg(WM_NOTIFY, IDC_MULTI_LIST, 0);   // no crash on a foreign notification
    NMLISTVIEW click{};
    click.hdr = {window.SummaryList().Handle(), IDC_MULTI_LIST, LVN_COLUMNCLICK};
    click.iSubItem = 1;
    window.SendMsg(WM_NOTIFY, IDC_MULTI_LIST, reinterpret_cast<LPARAM>(&click));
    EXPECT_EQ(window.SummaryList().Model().Cell(0, 1), "Host not found");
    window.OpenRow(RowOf(window, "nothere.invalid"));
    EXPECT_FALSE(View().Run().Stores.HasData()) << "a computer without results shows nothing";
    window.OpenRow(RowOf(window, "localhost"));
    EXPECT_EQ(View().Run().TargetComputer, "localhost");
    EXPECT_TRUE(View().Run().Stores.HasData());
    EXPECT_EQ(View().SelectedTab(), 0);
    EXPECT_EQ(Standard().Tree().ItemText(Standard().PageItem(0)), "[localhost]");

    // Save as CSV, copy a line.
    const std::string path = TempPath("mirel-window-summary.csv");
    ui::SetSaveFileHandler([&](HWND, const ui::SaveFileRequest& request, std::string& chosen) {
        EXPECT_EQ(request.fileName, "summary.csv");
        chosen = path;
        return true;
    });
    window.SendMsg(WM_COMMAND, MAKEWPARAM(IDC_MULTI_SAVE, BN_CLICKED), 0);
    ui::SetSaveFileHandler(nullptr);
    const std::string saved = ReadFile(path);
    DeleteFileA(path.c_str());
    EXPECT_TRUE(saved.starts_with("\"Computer\",\"Result\",\"Error code\",")) << saved.substr(0, 80);
    EXPECT_EQ(std::count(saved.begin(), saved.end(), '\n'), 5);
    EXPECT_TRUE(Messages().empty());
}

TEST_F(MultiCheckWindowTest, ListsLoadFromFilesAndBadListsAreRefused)
{
    MultiCheckWindow& window = Window();
    const std::string path = TempPath("mirel-window-list.txt");
    WriteFileBytes(path, "\xEF\xBB\xBF# office\r\npc01\r\n\r\nPC01\r\npc02\r\n");
    ui::SetOpenFileHandler([&](HWND, const std::string&, std::string& chosen) {
        chosen = path;
        return true;
    });
    window.SendMsg(WM_COMMAND, MAKEWPARAM(IDC_MULTI_LOAD, BN_CLICKED), 0);
    ui::SetOpenFileHandler(nullptr);
    DeleteFileA(path.c_str());
    EXPECT_EQ(ui::Window(GetDlgItem(window.Handle(), IDC_MULTI_NAMES)).Text(), "pc01\r\npc02\r\n");

    window.SetNames("# nobody\r\n");
    window.OnRunButton();
    window.SetNames(std::string(300, 'x'));
    window.OnRunButton();
    EXPECT_FALSE(window.IsRunning());
    const std::vector<RecordedMessage> messages = Messages();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].text, "The list of computers is empty.");
    EXPECT_TRUE(messages[1].text.starts_with("A computer name is longer than 253 characters: ")) << messages[1].text;
}

TEST_F(MultiCheckWindowTest, StopEndsTheRunningChecksAndMarksTheRestStopped)
{
    FakeWmiScenario stalled;
    stalled.stallAfter = 0;   // reached (loopback answers the ping) but never answering WMI
    View().SetWmiConnector(FakeWmiConnector(&stalled));
    MultiCheckWindow& window = Window();
    window.SetNames("127.0.0.2\r\n127.0.0.3\r\n127.0.0.4\r\n127.0.0.5\r\n");
    window.SetParallel(2);
    window.OnRunButton();
    PumpFor(1500);
    ASSERT_TRUE(window.IsRunning());
    window.OnRunButton();   // Stop
    EXPECT_EQ(window.StatusText(), "Stopping...");
    const DWORD stopped = GetTickCount();
    PumpUntil([&] { return !window.IsRunning(); }, 10000);
    EXPECT_LT(GetTickCount() - stopped, 3000u);
    const ResultModel& rows = window.SummaryList().Model();
    ASSERT_EQ(rows.RowCount(), 4);
    for (int row = 0; row < rows.RowCount(); ++row)
        EXPECT_EQ(rows.Cell(row, 1), "Stopped") << rows.Cell(row, 0);
    EXPECT_EQ(window.StatusText(), "4 computers: 4 Stopped");
}
