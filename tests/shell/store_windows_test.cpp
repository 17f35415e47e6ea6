// The windows over the inventory store. With a real store (tests/tools/store_windows_test.sh
// records three checks of this computer with mirelrep, a service created before the third,
// and names the store in MIREL_TEST_STORE): History lists the computer and its checks,
// Compare of the last two shows the one added service, a question fills its list, and the
// list tools copy and save its rows. Without that store only the missing-store case runs.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "base/narrow.h"
#include "base/this_computer.h"
#include "resources/resource.h"
#include "resources/text.h"
#include "shell/compare_window.h"
#include "shell/history_window.h"
#include "shell/questions_window.h"
#include "shell/store_task.h"
#include "tests/shell/app_fixture.h"
#include "tests/support/clipboard_text.h"
#include "tests/support/temp_files.h"
#include "ui/menu.h"
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
    // The new service, by what an administrator knows it by.
    const ResultModel& changes = compare->Changes().Model();
    // Its path too where WMI gives one: Wine's Win32_Service has no PathName, and an
    // empty property is not shown.
    ASSERT_GE(changes.RowCount(), 1);
    EXPECT_LE(changes.RowCount(), 2);
    EXPECT_EQ(changes.Row(0).cells, (std::vector<std::string>{"Service", "Name=MirelWindowsTest", "Added", "DisplayName",
                                                               "", "Mirel Windows Test"}));
    if (changes.RowCount() == 2) {
        EXPECT_EQ(changes.Row(1).cells, (std::vector<std::string>{"Service", "Name=MirelWindowsTest", "Added", "PathName",
                                                                   "", "C:\\windows\\system32\\notepad.exe"}));
    }
    EXPECT_EQ(compare->StatusText(), "1 change in all.");
    // Only the categories with changes at first: all of them together, and the services.
    const ResultModel& parts = compare->Parts().Model();
    EXPECT_EQ(IsDlgButtonChecked(compare->Handle(), IDC_COMPARE_CHANGED_ONLY), BST_CHECKED);
    ASSERT_EQ(parts.RowCount(), 2);
    EXPECT_EQ(parts.Row(0).cells, (std::vector<std::string>{"(All categories)", "1", "0", "0", ""}));
    EXPECT_EQ(parts.Row(1).cells, (std::vector<std::string>{"Service", "1", "0", "0", ""}));
    compare->ShowChangedOnly(false);
    EXPECT_GE(parts.RowCount(), 29) << "every category";
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
    for (int row = 0; row < changes.RowCount(); ++row) {
        if (changes.Cell(row, 1) != "Name=MirelWindowsTest") {
            EXPECT_EQ(changes.Cell(row, 6), "1") << changes.Cell(row, 1) << " " << changes.Cell(row, 3);
        }
    }

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
    EXPECT_EQ(Messages()[0].text, "Not checked for (days): Enter a whole number from 1 to 36500.");
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

    // Copy: the column headers, then the rows, separated by tabs.
    questions->Answer().CopyRows();
    EXPECT_EQ(ClipboardText(), "Computer\tChecked\r\n" + answer.Cell(0, 0) + "\t" + answer.Cell(0, 1) + "\r\n");
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
    // The file keeps the time in ISO 8601, as the store gave it.
    EXPECT_EQ(ReadFile(path), "\"Computer\",\"Checked\"\r\n\"" + answer.Cell(0, 0) + "\",\"" + answer.Row(0).sortTexts.at(1) +
                                  "\"\r\n");
    EXPECT_NE(answer.Row(0).sortTexts.at(1), answer.Cell(0, 1)) << "shown in the user's format";

    // Choosing another question takes the last answer away.
    ASSERT_TRUE(questions->ChooseQuestion("low-disk"));
    EXPECT_EQ(answer.RowCount(), 0);
    EXPECT_EQ(questions->StatusText(), "");
}

TEST_F(StoreWindowsTest, QuestionHeadersAndValuesInTheAdministratorsWordsInBothLanguages)
{
    for (LANGID language : {kEnglishLanguage, kJapaneseLanguage}) {
        SetTextLanguage(language);
        auto questions = Open<QuestionsWindow>();
        ASSERT_TRUE(questions->ChooseQuestion("low-disk"));
        EXPECT_EQ(ui::Window(GetDlgItem(questions->Handle(), IDC_QUESTION_FIRST_LABEL)).Text(),
                  language == kEnglishLanguage ? "Free space below (%):"
                                               : "\xE7\xA9\xBA\xE3\x81\x8D\xE5\xAE\xB9\xE9\x87\x8F\xE3\x81\x8C"
                                                 "\xE3\x81\x93\xE3\x81\xAE\xE5\x89\xB2\xE5\x90\x88\xE6\x9C\xAA"
                                                 "\xE6\xBA\x80 (%):");
        questions->SetParameter(0, "100");   // every disk
        questions->Run();
        PumpUntil([&] { return !questions->IsBusy(); });
        const ResultModel& answer = questions->Answer().Model();
        ASSERT_GE(answer.RowCount(), 1) << questions->StatusText();
        std::vector<std::string> headers;
        for (int column = 0; column < answer.ColumnCount(); ++column)
            headers.push_back(answer.Column(column).header);
        if (language == kEnglishLanguage)
            EXPECT_EQ(headers, (std::vector<std::string>{"Computer", "Drive", "Volume name", "Size", "Free space",
                                                         "Free (%)", "Checked"}));
        else
            EXPECT_EQ(headers[0], "\xE3\x82\xB3\xE3\x83\xB3\xE3\x83\x94\xE3\x83\xA5\xE3\x83\xBC"
                                  "\xE3\x82\xBF\xE3\x83\xBC");   // コンピューター
        const std::string size = answer.Cell(0, 3);
        EXPECT_TRUE(size.ends_with(" GB") || size.ends_with(" MB") || size.ends_with(" KB")) << size;
        EXPECT_EQ(size.find('.'), size.size() - 5) << "one decimal: " << size;
        const std::string percent = answer.Cell(0, 5);
        EXPECT_EQ(percent.find('.'), percent.size() - 2) << percent;
        EXPECT_EQ(answer.Cell(0, 6).find('T'), std::string::npos) << "the user's date format: " << answer.Cell(0, 6);
        EXPECT_EQ(questions->ComputerColumn(), 0) << "found by its name in the store, not by its header";
        // Sizes and shares right-aligned, texts and dates left.
        std::vector<bool> right;
        for (int column = 0; column < answer.ColumnCount(); ++column)
            right.push_back(answer.Column(column).rightAligned);
        EXPECT_EQ(right, (std::vector<bool>{false, false, false, true, true, true, false}));
        // Sizes sort by their bytes, whatever unit each shows.
        questions->Answer().ClickColumn(3);
        for (int row = 1; row < answer.RowCount(); ++row)
            EXPECT_LE(answer.Row(row - 1).sortValues[3], answer.Row(row).sortValues[3]);
    }
    SetTextLanguage(0);
}

// The window's Stop ends a question that would never end within a second: the store is
// interrupted, not waited for.
TEST_F(StoreWindowsTest, StopEndsARunningQuestionWithinASecond)
{
    auto questions = Open<QuestionsWindow>();
    auto answer = std::make_shared<QueryAnswer>();
    const std::shared_ptr<StoreTask> task = StoreTask::Start(
        questions->Handle(), WM_NULL, location_, StoreAccess::Query, [answer](InventoryStore& store, std::string& message) {
            return RunReadOnlyQuery(store.Db(),
                                    "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n) SELECT count(*) FROM n",
                                    {}, *answer, message) == AnswerOutcome::Answered;
        });
    PumpFor(700);
    ASSERT_FALSE(task->IsAnswer(reinterpret_cast<LPARAM>(task.get()))) << "ended by itself";
    const DWORD pressed = GetTickCount();
    task->Stop();
    PumpUntil([&] { return task->IsAnswer(reinterpret_cast<LPARAM>(task.get())); }, 5000);
    EXPECT_LT(GetTickCount() - pressed, 1000u);
    EXPECT_TRUE(task->Stopped());
    EXPECT_FALSE(task->Succeeded());
}

TEST_F(StoreWindowsTest, HistoryDeletesChecksAndAComputerFromItsMenusAfterAsking)
{
    // A copy of the store: the other tests read the three checks.
    TempFolder folder("mirel-history-delete");
    StoreLocation copy;
    copy.path = folder.File("inventory.db");
    ASSERT_TRUE(CopyFileA(location_.path.c_str(), copy.path.c_str(), FALSE));
    location_ = copy;
    auto history = Open<HistoryWindow>();
    PumpUntil([&] { return !history->IsReading(); });
    ResultList& checks = history->Checks().List();
    checks.SelectRow(2);   // check 1
    // The checks' context menu starts with History's own commands, enabled as they apply.
    UniqueMenu menu = ui::LoadMenuResource(IDR_POPUP_HISTORY_CHECKS);
    const ui::Menu own = ui::Menu(menu.Get()).SubMenu(0);
    SendMessageA(history->Handle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(own.Handle()), 0);
    EXPECT_TRUE(own.IsEnabled(ID_HISTORY_OPEN));
    EXPECT_FALSE(own.IsEnabled(ID_HISTORY_COMPARE_TWO)) << "one check selected";
    EXPECT_TRUE(own.IsEnabled(ID_HISTORY_DELETE_CHECKS));

    checks.SetMenuChooser([](HWND, POINT) { return ID_HISTORY_DELETE_CHECKS; });
    AnswerMessagesWith(IDNO);
    checks.OpenContextMenuFromKeyboard();
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0].text, "Delete check 1 of " + ThisComputerName() +
                                      " from the inventory store?\n\nWhat no other check uses is freed. This cannot be "
                                      "undone.");
    EXPECT_FALSE(history->IsReading()) << "No deletes nothing";
    AnswerMessagesWith(IDYES);
    checks.OpenContextMenuFromKeyboard();
    PumpUntil([&] { return !history->IsReading(); });
    EXPECT_EQ(Column(history->Checks().Model(), 0), (std::vector<std::string>{"3", "2"}));
    EXPECT_EQ(history->StatusText().rfind("Deleted 1 check. The store now holds 2 checks. ", 0), 0u)
        << history->StatusText();

    // Del on the computers' list: the computer with all its checks, after asking.
    PressKey(history->Computers().Handle(), VK_DELETE);
    PumpUntil([&] { return !history->IsReading(); });
    ASSERT_EQ(Messages().size(), 3u);
    EXPECT_EQ(Messages()[2].text.rfind("Delete " + ThisComputerName() + " with all its checks (2)", 0), 0u)
        << Messages()[2].text;
    EXPECT_EQ(history->Computers().Model().RowCount(), 0);
    EXPECT_EQ(history->Checks().Model().RowCount(), 0);
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
    wchar_t label[64] = {};
    GetDlgItemTextW(history.Handle(), IDC_HISTORY_CHECKS_LABEL, label, 64);
    EXPECT_EQ(ToNarrow(label), "C&hecks:") << "a list of checks";
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
