// The windows over the inventory store. With a real store (tests/tools/store_windows_test.sh
// records three checks of this computer with mirelrep, a service created before the third,
// and names the store in MIREL_TEST_STORE): History lists the computer and its checks,
// Compare of the last two shows the one added service, a question fills its list, and the
// list tools copy and save its rows. Without that store only the missing-store case runs.
#include <gtest/gtest.h>

#include <cstdlib>

#include "base/this_computer.h"
#include "resources/resource.h"
#include "shell/compare_window.h"
#include "shell/history_window.h"
#include "shell/questions_window.h"
#include "tests/shell/app_fixture.h"
#include "tests/support/clipboard_text.h"
#include "tests/support/temp_files.h"
#include "ui/save_dialog.h"

namespace {

class StoreWindowsTest : public AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        const char* store = std::getenv("MIREL_TEST_STORE");
        if (!store || !*store)
            GTEST_SKIP() << "needs the store of tests/tools/store_windows_test.sh";
        ASSERT_TRUE(ParseStoreLocation(store, location_));
    }

    // A window of the store, made as the main view makes it; opened checks are noted.
    template <class Window>
    std::unique_ptr<Window> Open()
    {
        auto window = std::make_unique<Window>(location_, [this](int64_t id) { return opened_.push_back(id), true; });
        EXPECT_TRUE(window->CreateModeless(Frame().Handle()));
        return window;
    }

    StoreLocation location_;
    std::vector<int64_t> opened_;
};

std::vector<std::string> Column(const ResultModel& model, int column)
{
    std::vector<std::string> cells;
    for (int row = 0; row < model.RowCount(); ++row)
        cells.push_back(model.Cell(row, column));
    return cells;
}

}  // namespace

TEST_F(StoreWindowsTest, HistoryListsTheComputerAndItsChecksAndOpensOne)
{
    auto history = Open<HistoryWindow>();
    PumpUntil([&] { return !history->IsReading(); });
    const ResultModel& computers = history->Computers().Model();
    ASSERT_EQ(computers.RowCount(), 1) << history->StatusText();
    EXPECT_EQ(computers.Cell(0, 0), ThisComputerName());
    EXPECT_EQ(computers.Cell(0, 1), "3");
    EXPECT_EQ(computers.Cell(0, 3), "OK");
    // The checks, newest first, the first of them selected.
    const ResultModel& checks = history->Checks().Model();
    EXPECT_EQ(Column(checks, 0), (std::vector<std::string>{"3", "2", "1"}));
    EXPECT_EQ(Column(checks, 2), (std::vector<std::string>{"Standard", "Standard", "Standard"}));
    EXPECT_EQ(Column(checks, 5), (std::vector<std::string>{"1", "0", ""}));   // the service, nothing, no previous
    EXPECT_EQ(history->Checks().SelectedRows(), std::vector<int>{0});
    history->OpenSelected();
    EXPECT_EQ(opened_, std::vector<int64_t>{3});
    // Two checks to compare: of one kind, and exactly two.
    const ui::ListView& view = history->Checks().List().View();
    EXPECT_FALSE(history->CanCompareSelected());
    view.SetItemState(2, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_TRUE(history->CanCompareSelected());
    view.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_FALSE(history->CanCompareSelected());
    // A click on the number's header sorts the checks oldest first, with the arrow.
    history->Checks().ClickColumn(0);
    EXPECT_EQ(Column(checks, 0), (std::vector<std::string>{"1", "2", "3"}));
    EXPECT_EQ(history->Checks().List().View().SortArrow(0), 1);
    // Ctrl+A keeps the program's meaning in either list: save the shown list as CSV.
    std::vector<std::string> proposed;
    ui::SetSaveFileHandler([&](HWND, ui::SaveFileRequest& request, std::string&) {
        proposed.push_back(request.fileName);
        return false;
    });
    for (HWND list : {history->Checks().Handle(), history->Computers().Handle()}) {
        SetFocus(list);
        PressKey(list, 'A', false, true);
    }
    ui::SetSaveFileHandler(nullptr);
    EXPECT_EQ(proposed, (std::vector<std::string>{"history.csv", "history.csv"}));
}

TEST_F(StoreWindowsTest, CompareWithThePreviousCheckShowsTheNewServiceAlone)
{
    auto history = Open<HistoryWindow>();
    PumpUntil([&] { return !history->IsReading(); });
    history->CompareWithPrevious();   // the latest check, selected
    CompareWindow* compare = history->LastComparison();
    ASSERT_NE(compare, nullptr);
    PumpUntil([&] { return !compare->IsReading(); });
    ASSERT_NE(compare->Comparison(), nullptr) << compare->Heading();
    EXPECT_EQ(compare->Comparison()->before.id, 2);
    EXPECT_EQ(compare->Comparison()->after.id, 3);
    const ResultModel& changes = compare->Changes().Model();
    ASSERT_EQ(changes.RowCount(), 1);
    EXPECT_EQ(changes.Row(0).cells, (std::vector<std::string>{"Service", "Name=MirelWindowsTest", "Added", "", "", ""}));
    EXPECT_EQ(compare->StatusText(), "1 change in all.");
    // The categories with their counts: all of them first, the services among them.
    const ResultModel& parts = compare->Parts().Model();
    EXPECT_EQ(parts.Row(0).cells, (std::vector<std::string>{"(All categories)", "1", "0", "0", ""}));
    int services = -1;
    for (int row = 0; row < parts.RowCount(); ++row)
        if (parts.Cell(row, 0) == "Service")
            services = row;
    ASSERT_GT(services, 0);
    EXPECT_EQ(parts.Row(services).cells, (std::vector<std::string>{"Service", "1", "0", "0", ""}));
    // Another category alone shows no change; values that change by themselves, once asked
    // for, come with a column saying so.
    compare->ShowPart(services == 1 ? 2 : 1);
    EXPECT_EQ(changes.RowCount(), 0);
    compare->ShowVolatile(true);
    EXPECT_EQ(changes.ColumnCount(), 7);
    EXPECT_GE(changes.RowCount(), 1);
    for (int row = 0; row < changes.RowCount(); ++row)
        if (changes.Cell(row, 1) != "Name=MirelWindowsTest")
            EXPECT_EQ(changes.Cell(row, 6), "1") << changes.Cell(row, 1) << " " << changes.Cell(row, 3);

    // The two first checks, chosen together: nothing changed.
    history->Checks().List().SelectRow(1);
    history->Checks().List().View().SetItemState(2, LVIS_SELECTED, LVIS_SELECTED);
    history->CompareSelected();
    CompareWindow* second = history->LastComparison();
    ASSERT_NE(second, compare);
    PumpUntil([&] { return !second->IsReading(); });
    EXPECT_EQ(second->Changes().Model().RowCount(), 0);
    EXPECT_EQ(second->StatusText(), "No changes.");
}

TEST_F(StoreWindowsTest, AQuestionFillsItsListAndItsToolsCopyAndSaveTheRows)
{
    auto questions = Open<QuestionsWindow>();
    // A parameter of the wrong type is refused before the store is asked.
    ASSERT_TRUE(questions->ChooseQuestion("not-checked"));
    questions->SetParameter(0, "a week");
    questions->Run();
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0].text, "The parameter days is not of its type: a week");
    EXPECT_FALSE(questions->IsBusy());

    ASSERT_TRUE(questions->ChooseQuestion("missing-hotfix"));
    questions->SetParameter(0, "KB0000001");
    questions->Run();
    PumpUntil([&] { return !questions->IsBusy(); });
    const ResultModel& answer = questions->Answer().Model();
    ASSERT_EQ(answer.RowCount(), 1) << questions->StatusText();
    EXPECT_EQ(answer.Cell(0, 0), ThisComputerName());
    EXPECT_EQ(questions->StatusText(), "1 row.");
    ASSERT_EQ(questions->ComputerColumn(), 0);
    // The row names a computer: a double click opens its latest check.
    questions->OpenRow(0);
    PumpUntil([&] { return !questions->IsBusy(); });
    EXPECT_EQ(opened_, std::vector<int64_t>{3});

    // Copy: the column names, then the rows, separated by tabs.
    questions->Answer().CopyRows();
    EXPECT_EQ(ClipboardText(), "computer\tchecked_at\r\n" + answer.Cell(0, 0) + "\t" + answer.Cell(0, 1) + "\r\n");
    // Save as CSV: the file holds the header and the row.
    TempFolder folder("mirel-store-windows");
    const std::string path = folder.File("answer.csv");
    std::string proposed;
    ui::SetSaveFileHandler([&](HWND, ui::SaveFileRequest& request, std::string& chosen) {
        proposed = request.fileName;
        chosen = path;
        return true;
    });
    EXPECT_TRUE(questions->Answer().SaveCsv(questions->Handle(), "missing-hotfix.csv"));
    ui::SetSaveFileHandler(nullptr);
    EXPECT_EQ(proposed, "missing-hotfix.csv");
    EXPECT_EQ(ReadFile(path), "\"computer\",\"checked_at\"\r\n\"" + answer.Cell(0, 0) + "\",\"" + answer.Cell(0, 1) +
                                  "\"\r\n");
}

class StoreWindowsMissingTest : public AppFixture {};

TEST_F(StoreWindowsMissingTest, HistoryOfAMissingStoreSaysSoInTheWindow)
{
    StoreLocation missing;
    missing.path = TempPath("mirel-no-such-store.db");
    HistoryWindow history(missing, [](int64_t) { return true; });
    ASSERT_TRUE(history.CreateModeless(Frame().Handle()));
    PumpUntil([&] { return !history.IsReading(); });
    EXPECT_EQ(history.StatusText(), "There is no inventory store at " + missing.path + ".");
    EXPECT_EQ(history.Computers().List().EmptyText(), history.StatusText());
    EXPECT_EQ(history.Computers().Model().RowCount(), 0);
    EXPECT_FALSE(GetDlgItem(history.Handle(), IDC_HISTORY_OPEN) && IsWindowEnabled(GetDlgItem(history.Handle(), IDC_HISTORY_OPEN)));
    EXPECT_EQ(GetFileAttributesA(missing.path.c_str()), INVALID_FILE_ATTRIBUTES);   // not made by reading
    // The menu opens the window (of the store in use) once, and brings it back after.
    Frame().RunCommand(ID_FILE_HISTORY);
    HistoryWindow* opened = View().History();
    ASSERT_NE(opened, nullptr);
    Frame().RunCommand(ID_FILE_HISTORY);
    EXPECT_EQ(View().History(), opened);
    Frame().RunCommand(ID_FILE_QUESTIONS);
    EXPECT_NE(View().Questions(), nullptr);
    PumpUntil([&] { return !opened->IsReading(); });
}
