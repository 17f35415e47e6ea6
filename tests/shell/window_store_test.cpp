// The window program and the inventory store: the settings in the registry (never a
// password), every window check recorded through the one writer, a stored check shown in
// the usual tabs, and File > Open... of a check saved as JSON. Real windows (headless),
// Wine's own WMI, real store files.
#include "tests/shell/app_fixture.h"

#include <algorithm>
#include <map>

#include "base/class_ids.h"
#include "base/narrow.h"
#include "base/text_util.h"
#include "base/this_computer.h"
#include "engine/check_context.h"
#include "inventory/class_table.h"
#include "inventory/json_export.h"
#include "resources/resource.h"
#include "resources/text.h"
#include "shell/compare_window.h"
#include "shell/history_window.h"
#include "shell/multi_check_window.h"
#include "shell/store_options.h"
#include "standard/category_catalog.h"
#include "store/check_reader.h"
#include "store/damage_mark.h"
#include "store/store_history.h"
#include "tests/support/damaged_store.h"
#include "tests/support/temp_files.h"
#include "ui/open_dialog.h"

namespace {

std::wstring RegistryText(const std::string& key, const char* value)
{
    wchar_t text[4096] = {};
    DWORD size = sizeof text;
    RegGetValueW(HKEY_CURRENT_USER, ToWide(key).c_str(), ToWide(value).c_str(), RRF_RT_REG_SZ, nullptr, text, &size);
    return text;
}

// Every check the store at `path` holds, oldest first.
std::vector<StoredCheckHeader> ChecksIn(const std::string& path)
{
    StoreLocation location;
    location.path = path;
    std::string message;
    StoreOpenFailure failure;
    auto store = InventoryStore::Open(location, StoreAccess::Read, 10, message, failure);
    std::vector<StoredCheckHeader> checks;
    if (store)
        ListChecks(store->Statements(), "", checks);
    return checks;
}

int ServicesStore()
{
    return CategoryByClass(ClassId::Win32_Service)->storeIndex;
}

class StoreSettingsTest : public testing::Test {
protected:
    void SetUp() override { RegDeleteTreeA(HKEY_CURRENT_USER, key_.c_str()); }
    void TearDown() override { RegDeleteTreeA(HKEY_CURRENT_USER, key_.c_str()); }
    const std::string key_ = "Software\\Tollbrook\\MirelTests\\Store" + std::to_string(GetCurrentProcessId());
};

class WindowStoreTest : public AppFixture {
protected:
    StoreSettings InitialStoreSettings() override
    {
        DeleteFileA(storePath_.c_str());
        StoreSettings settings;
        settings.store = storePath_;
        return settings;
    }
    void TearDown() override
    {
        AppFixture::TearDown();
        ui::SetOpenFileHandler(nullptr);
        for (const char* suffix : {"", "-wal", "-shm"})
            DeleteFileA((storePath_ + suffix).c_str());
    }
    // Waits until the writer has told how the checks handed over went.
    void WaitForRecording(size_t checks)
    {
        PumpUntil([&] { return View().Keeper().Pending() == 0 && ChecksIn(storePath_).size() >= checks; });
        PumpFor(50);   // the told part reaches the window
    }
    std::string TreeRoot() { return Standard().Tree().ItemText(Standard().PageItem(kRootPage)); }
    std::string FrameTitle()
    {
        wchar_t title[512] = {};
        GetWindowTextW(Frame().Handle(), title, 512);
        return ToNarrow(title);
    }

    const std::string storePath_ = TempPath("mirel-window-store-" + std::to_string(GetCurrentProcessId()) + ".db");
};

}  // namespace

TEST_F(StoreSettingsTest, ServerConnectionIsKeptWithoutItsPasswordWhichIsAskedOncePerStore)
{
    StoreSettings settings;
    settings.keepChecks = false;
    settings.store = "odbc:Driver={PostgreSQL Unicode};Server=127.0.0.1;UID=mirel;PWD={s3cr;et}";
    ASSERT_TRUE(WriteStoreSettings(HKEY_CURRENT_USER, key_, settings));
    const std::wstring written = RegistryText(key_, "InventoryStore");
    EXPECT_EQ(written, L"odbc:Driver={PostgreSQL Unicode};Server=127.0.0.1;UID=mirel");
    const StoreSettings read = ReadStoreSettings(HKEY_CURRENT_USER, key_);
    EXPECT_FALSE(read.keepChecks);
    EXPECT_EQ(ToWide(read.store), written);

    StoreChoice choice(key_);
    int asked = 0;
    choice.SetPasswordPrompt([&](HWND, const std::string& store, const std::string& user, SecretText& password) {
        ++asked;
        EXPECT_EQ(user, "mirel");
        EXPECT_EQ(store.find("PWD"), std::string::npos) << "the prompt shows no password";
        password = SecretText(L"p}w");
        return true;
    });
    StoreLocation location;
    std::string message;
    ASSERT_TRUE(choice.CurrentLocation(nullptr, location, message));
    EXPECT_NE(location.connection.find("PWD={p}}w}"), std::string::npos) << "braced, its brace doubled";
    EXPECT_EQ(PasswordOf(location.connection), "p}w") << "read back as ODBC reads it";
    ASSERT_TRUE(choice.CurrentLocation(nullptr, location, message));
    EXPECT_EQ(asked, 1) << "once a session";
    EXPECT_EQ(RegistryText(key_, "InventoryStore").find(L"p}"), std::wstring::npos);

    settings.store = "odbc:DSN=inventory";   // a DSN carries its own credentials
    ASSERT_TRUE(choice.Change(settings));
    ASSERT_TRUE(choice.CurrentLocation(nullptr, location, message));
    EXPECT_EQ(location.connection, "DSN=inventory");
    EXPECT_EQ(asked, 1);

    settings.store = "odbc:Server=127.0.0.1;UID=mirel";   // another store: asked again, a cancel uses none
    ASSERT_TRUE(choice.Change(settings));
    choice.SetPasswordPrompt([&](HWND, const std::string&, const std::string&, SecretText&) { return ++asked, false; });
    EXPECT_FALSE(choice.CurrentLocation(nullptr, location, message));
    EXPECT_TRUE(message.empty());
    EXPECT_EQ(asked, 2);
}

TEST_F(StoreSettingsTest, DefaultsAndAJapanesePathSurviveTheRegistry)
{
    EXPECT_TRUE(ReadStoreSettings(HKEY_CURRENT_USER, key_).keepChecks) << "kept unless turned off";
    EXPECT_EQ(ReadStoreSettings(HKEY_CURRENT_USER, key_).store, "");
    StoreSettings settings;
    settings.store = "C:\\在庫\\棚卸し.db";
    ASSERT_TRUE(WriteStoreSettings(HKEY_CURRENT_USER, key_, settings));
    EXPECT_EQ(ReadStoreSettings(HKEY_CURRENT_USER, key_).store, settings.store);
    StoreChoice choice(key_);
    EXPECT_EQ(choice.Describe(), settings.store);
}

TEST_F(WindowStoreTest, OptionsKeepTheChoiceAndNeverThePassword)
{
    StoreOptionsDialog dialog(View().Store());
    ASSERT_TRUE(dialog.CreateModeless(Frame().Handle()));
    EXPECT_EQ(IsDlgButtonChecked(dialog.Handle(), IDC_OPTIONS_KEEP), UINT{BST_CHECKED});
    EXPECT_EQ(IsDlgButtonChecked(dialog.Handle(), IDC_OPTIONS_FILE), UINT{BST_CHECKED});
    CheckDlgButton(dialog.Handle(), IDC_OPTIONS_KEEP, BST_UNCHECKED);
    CheckRadioButton(dialog.Handle(), IDC_OPTIONS_DEFAULT, IDC_OPTIONS_SERVER, IDC_OPTIONS_SERVER);
    SetDlgItemTextA(dialog.Handle(), IDC_OPTIONS_CONNECTION, "Server=127.0.0.1;UID=admin;Password=hunter2");
    ASSERT_TRUE(dialog.Apply());
    EXPECT_FALSE(View().Store().KeepChecks());
    EXPECT_EQ(RegistryText(SettingsKey(), "InventoryStore"), L"odbc:Server=127.0.0.1;UID=admin");
    DWORD keep = 1, size = sizeof keep;
    RegGetValueA(HKEY_CURRENT_USER, SettingsKey().c_str(), "KeepChecks", RRF_RT_REG_DWORD, nullptr, &keep, &size);
    EXPECT_EQ(keep, 0u);
    char shown[200] = {};
    GetDlgItemTextA(dialog.Handle(), IDC_OPTIONS_CONNECTION, shown, sizeof shown);
    EXPECT_STREQ(shown, "Server=127.0.0.1;UID=admin");
    // The password typed serves this session without being asked again.
    int asked = 0;
    View().Store().SetPasswordPrompt([&](HWND, const std::string&, const std::string&, SecretText&) {
        ++asked;
        return false;
    });
    StoreLocation location;
    std::string message;
    ASSERT_TRUE(View().Store().CurrentLocation(Frame().Handle(), location, message)) << message;
    EXPECT_EQ(asked, 0);
    EXPECT_NE(location.connection.find("hunter2"), std::string::npos);

    CheckRadioButton(dialog.Handle(), IDC_OPTIONS_DEFAULT, IDC_OPTIONS_SERVER, IDC_OPTIONS_FILE);
    SetDlgItemTextA(dialog.Handle(), IDC_OPTIONS_FILE_PATH, "");
    EXPECT_FALSE(dialog.Apply()) << "a file must be named";
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0].text, LoadText(IDS_OPTIONS_NO_FILE));
    DestroyWindow(dialog.Handle());

    // The store in use is labelled, and the days typed for removing old checks stay.
    StoreOptionsDialog again(View().Store());
    ASSERT_TRUE(again.CreateModeless(Frame().Handle()));
    char label[512] = {};
    GetDlgItemTextA(again.Handle(), IDC_OPTIONS_SHOWN, label, sizeof label);
    EXPECT_EQ(std::string(label), "Checks go to: odbc:Server=127.0.0.1;UID=admin") << "described without its password";
    GetDlgItemTextA(again.Handle(), IDC_OPTIONS_PRUNE_DAYS, label, sizeof label);
    EXPECT_STREQ(label, "365");
    SetDlgItemTextA(again.Handle(), IDC_OPTIONS_PRUNE_DAYS, "30");
    ASSERT_TRUE(again.Apply());
    DestroyWindow(again.Handle());
    EXPECT_EQ(ReadStoreSettings(HKEY_CURRENT_USER, SettingsKey()).pruneDays, 30);
    StoreOptionsDialog third(View().Store());
    ASSERT_TRUE(third.CreateModeless(Frame().Handle()));
    GetDlgItemTextA(third.Handle(), IDC_OPTIONS_PRUNE_DAYS, label, sizeof label);
    EXPECT_STREQ(label, "30");
    DestroyWindow(third.Handle());
}

TEST_F(WindowStoreTest, WindowChecksAreRecordedAndShownAgainFromTheStore)
{
    RunCheckToCompletion();
    const int liveServices = View().Run().Stores.Store(ServicesStore())->RowCount();
    ASSERT_GT(liveServices, 0);
    WaitForRecording(1);
    Frame().RunCommand(ID_VIEW_INDIVIDUAL);
    ChooseClass(101, 204, ClassId::Win32_Processor);
    RunCheckToCompletion();
    const int liveRows = Individual().ResultListControl().Model().RowCount();
    ASSERT_GT(liveRows, 0);
    WaitForRecording(2);

    const std::vector<StoredCheckHeader> checks = ChecksIn(storePath_);
    ASSERT_EQ(checks.size(), 2u);
    EXPECT_EQ(checks[0].computer, ThisComputerName());
    EXPECT_EQ(checks[0].kind, kStandardKind);
    EXPECT_EQ(checks[0].source, "mirel");
    EXPECT_EQ(checks[1].kind, "Win32_Processor");
    const std::string recorded = FillIn(LoadText(IDS_STORE_RECORDED), std::to_string(checks[1].id));
    PumpUntil([&] { return StatusText() == recorded; }, 10000);

    // A new check of the standard tab leaves the individual tab's stored check alone, and
    // the stored standard check comes back with the live check's rows.
    ASSERT_TRUE(View().OpenStoredCheck(checks[0].id));
    PumpUntil([&] { return !View().StoredLabel(kStandardTab).empty(); });
    const std::string label = View().StoredLabel(kStandardTab);
    EXPECT_NE(label.find(ThisComputerName()), std::string::npos);
    EXPECT_EQ(TreeRoot(), label);
    EXPECT_EQ(FrameTitle(), LoadText(IDS_APP_TITLE) + " - " + label);
    EXPECT_EQ(View().SelectedTab(), kStandardTab);
    EXPECT_EQ(View().Run().Stores.Store(ServicesStore())->RowCount(), liveServices);
    EXPECT_TRUE(View().QueryCommand(ID_FILE_SAVE_TEXT).enabled) << "the list tools work on it";

    ASSERT_TRUE(View().OpenStoredCheck(checks[1].id));
    PumpUntil([&] { return !View().StoredLabel(kIndividualTab).empty(); });
    EXPECT_EQ(View().SelectedTab(), kIndividualTab);
    EXPECT_EQ(Individual().SelectedClassCode(), ClassId::Win32_Processor);
    EXPECT_EQ(Individual().ResultListControl().Model().RowCount(), liveRows);

    ASSERT_TRUE(View().OpenStoredCheck(999));
    PumpUntil([&] { return !Messages().empty(); });
    EXPECT_EQ(Messages().back().text, FillIn(LoadText(IDS_STORE_NO_CHECK), "999"));

    RunCheckToCompletion();   // a new check replaces the stored one
    EXPECT_TRUE(View().StoredLabel(kIndividualTab).empty());
    EXPECT_EQ(FrameTitle(), LoadText(IDS_APP_TITLE));
    WaitForRecording(3);
}

TEST_F(WindowStoreTest, OpenShowsACheckSavedAsJsonAndAddsItWhenAsked)
{
    CheckContext check("", nullptr);
    CategoryStore table;
    ASSERT_EQ(RunClassTableSurvey(check, ClassId::Win32_Processor, table), ClassOutcome::Done);
    TempFolder folder("mirel-open-json");
    const std::string path = folder.File("sent by mail.json");
    const std::string mailed = ClassJson({"", "2026-12-01T09:30:00+09:00", true, "FARAWAY"}, ClassId::Win32_Processor, table);
    WriteFileBytes(path, mailed);
    ui::SetOpenFileHandler([&](HWND, const std::string&, std::string& chosen) { return chosen = path, true; });
    AnswerMessagesWith(IDYES);

    Frame().RunCommand(ID_FILE_OPEN_CHECK);
    PumpUntil([&] { return !Messages().empty(); });
    EXPECT_GT(Individual().ResultListControl().Model().RowCount(), 0);
    StoredCheckHeader sent;
    ASSERT_TRUE(CheckTime::FromLocalText("2026-12-01T09:30:00+09:00", sent.checkedAt));
    const std::string time = StoredLabelTime(sent);
    EXPECT_EQ(View().StoredLabel(kIndividualTab),
              FillIn(LoadText(IDS_OPENED_CHECK_TITLE), {"FARAWAY", time, "sent by mail.json"}))
        << "named by its file until it is in the store";
    // The status bar says where these rows come from: the check's computer and time.
    const std::string where = View().WhereText();
    EXPECT_NE(where.find("FARAWAY"), std::string::npos) << where;
    EXPECT_NE(where.find(time), std::string::npos) << where;
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0].flags & MB_YESNO, UINT{MB_YESNO});
    EXPECT_NE(Messages()[0].text.find("FARAWAY"), std::string::npos);
    WaitForRecording(1);
    const std::vector<StoredCheckHeader> checks = ChecksIn(storePath_);
    ASSERT_EQ(checks.size(), 1u);
    EXPECT_EQ(checks[0].computer, "FARAWAY");
    EXPECT_EQ(checks[0].source, "import");
    EXPECT_EQ(View().StoredLabel(kIndividualTab), FillIn(LoadText(IDS_STORED_CHECK_TITLE), "FARAWAY", time));
    EXPECT_EQ(StatusText(), FillIn(LoadText(IDS_STORE_RECORDED), std::to_string(checks[0].id)));

    WriteFileBytes(path, R"({"computer": "x", "categories": 7})");
    Frame().RunCommand(ID_FILE_OPEN_CHECK);
    PumpUntil([&] { return Messages().size() == 2; });
    EXPECT_EQ(Messages()[1].flags & MB_ICONEXCLAMATION, UINT{MB_ICONEXCLAMATION});
    EXPECT_NE(Messages()[1].text.find(path), std::string::npos) << Messages()[1].text;
    PumpFor(200);
    EXPECT_EQ(ChecksIn(storePath_).size(), 1u) << "nothing recorded";
    EXPECT_EQ(Messages().size(), 2u) << "and nothing asked";

    // The same check once more, added again: a message says it is there, nothing is recorded.
    WriteFileBytes(path, mailed);
    Frame().RunCommand(ID_FILE_OPEN_CHECK);
    PumpUntil([&] { return Messages().size() == 4; });
    EXPECT_EQ(Messages()[3].text, FillIn(LoadText(IDS_STORE_ALREADY_STORED), "1"));
    EXPECT_EQ(Messages()[3].flags & MB_ICONINFORMATION, UINT{MB_ICONINFORMATION});
    EXPECT_EQ(ChecksIn(storePath_).size(), 1u);
}

TEST_F(WindowStoreTest, AComputerNotFoundIsRecordedAndOpenedAgainAsWhatBecameOfIt)
{
    SetWindowTextA(View().NameField(), "nothere.invalid");
    RunCheckToCompletion();
    WaitForRecording(1);
    std::vector<StoredCheckHeader> checks = ChecksIn(storePath_);
    ASSERT_EQ(checks.size(), 1u) << "recorded as the window of several computers records it";
    EXPECT_EQ(checks[0].result, "hostNotFound");
    EXPECT_EQ(checks[0].message, "Could not find the host nothere.invalid");
    EXPECT_EQ(StatusText(), checks[0].message) << "the failure stays in the status bar";

    ASSERT_TRUE(View().OpenStoredCheck(checks[0].id));
    PumpUntil([&] { return !View().StoredLabel(kStandardTab).empty(); });
    const std::string failure = "Host not found: Could not find the host nothere.invalid";
    EXPECT_EQ(StatusText(), "This check read nothing: Could not find the host nothere.invalid");
    EXPECT_EQ(TreeRoot(), "nothere.invalid: Host not found");
    const HTREEITEM root = Standard().PageItem(kRootPage);
    EXPECT_FALSE(Standard().Tree().IsExpanded(root)) << "no empty categories";
    EXPECT_EQ(Standard().CurrentPage(), kRootPage);
    EXPECT_EQ(Standard().DisplayList().Model().RowCount(), 0);
    EXPECT_EQ(Standard().DisplayList().EmptyText(), failure);
    // The status bar's pane of where the results come from: what became of it, no count.
    Frame().UpdateIdleState();
    const std::string where = Frame().WhereText();
    EXPECT_EQ(where.rfind("nothere.invalid, checked ", 0), 0u) << where;
    EXPECT_TRUE(where.ends_with(": Host not found")) << where;
    // A category chosen all the same says the same.
    Standard().SelectPageInTree(CategoryByClass(ClassId::Win32_Service)->page);
    EXPECT_EQ(Standard().DisplayList().EmptyText(), failure);
    Frame().UpdateIdleState();
    EXPECT_EQ(Frame().WhereText(), where);
    Standard().SelectPageInTree(kRootPage);

    // A check that reads the computer shows its categories again, and the status bar names
    // that check as recorded.
    SetWindowTextA(View().NameField(), "");
    RunCheckToCompletion();
    WaitForRecording(2);
    EXPECT_TRUE(Standard().Tree().IsExpanded(root));
    EXPECT_EQ(Standard().DisplayList().Model().RowCount(), 3) << "the three groups";
    checks = ChecksIn(storePath_);
    ASSERT_EQ(checks.size(), 2u);
    const std::string recorded = FillIn(LoadText(IDS_STORE_RECORDED), std::to_string(checks[1].id));
    PumpUntil([&] { return StatusText() == recorded; }, 10000);

    // Another computer's check recorded from the window of several computers is not the one shown.
    ShowStatusText(LoadText(IDS_READY));
    Frame().RunCommand(ID_FILE_CHECK_SEVERAL);
    View().MultiCheck()->SetNames("127.0.0.1\r\n");
    View().MultiCheck()->OnRunButton();
    PumpUntil([&] { return !View().MultiCheck()->IsRunning(); });
    WaitForRecording(3);
    EXPECT_EQ(StatusText(), LoadText(IDS_READY));

    // Two checks that read nothing, compared in History: the comparison says so.
    SetWindowTextA(View().NameField(), "nothere.invalid");
    RunCheckToCompletion();
    WaitForRecording(4);
    StoreLocation location;
    location.path = storePath_;
    HistoryWindow history(location, [](int64_t) { return true; });
    ASSERT_TRUE(history.CreateModeless(Frame().Handle()));
    PumpUntil([&] { return !history.IsReading(); });
    for (int row = 0; row < history.Computers().Model().RowCount(); ++row)
        if (history.Computers().Model().Cell(row, 0) == "nothere.invalid")
            history.Computers().List().SelectRow(row);
    ASSERT_EQ(history.Checks().Model().RowCount(), 2);
    history.Checks().List().View().SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
    history.CompareSelected();
    ASSERT_NE(history.LastComparison(), nullptr);
    PumpUntil([&] { return !history.LastComparison()->IsReading(); });
    EXPECT_EQ(history.LastComparison()->Comparison(), nullptr);
    EXPECT_EQ(history.LastComparison()->Heading(),
              FillIn(LoadText(IDS_COMPARE_READ_NOTHING), history.Checks().Model().Cell(0, 0), "Host not found"));
}

TEST_F(WindowStoreTest, EveryComputerOfSeveralIsRecordedAlsoOneThatWasNotFound)
{
    Frame().RunCommand(ID_FILE_CHECK_SEVERAL);
    MultiCheckWindow& window = *View().MultiCheck();
    window.SetNames(".\r\nnothere.invalid\r\n");
    window.OnRunButton();
    PumpUntil([&] { return !window.IsRunning(); });
    WaitForRecording(2);
    std::map<std::string, StoredCheckHeader> byComputer;
    for (const StoredCheckHeader& header : ChecksIn(storePath_))
        byComputer[header.computer] = header;
    ASSERT_EQ(byComputer.size(), 2u);
    EXPECT_EQ(byComputer[ThisComputerName()].result, "ok");
    EXPECT_TRUE(byComputer[ThisComputerName()].complete);
    EXPECT_EQ(byComputer["nothere.invalid"].result, "hostNotFound");
    EXPECT_FALSE(byComputer["nothere.invalid"].complete);
}

namespace {

// The store files moved aside beside `path` ("<path>.damaged-..."), removed when asked.
std::vector<std::string> MovedAside(const std::string& path, bool remove = false)
{
    std::vector<std::string> found;
    const std::string folder = path.substr(0, path.find_last_of('\\') + 1);
    WIN32_FIND_DATAA entry{};
    HANDLE search = FindFirstFileA((path + ".damaged-*").c_str(), &entry);
    for (BOOL more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileA(search, &entry)) {
        found.push_back(folder + entry.cFileName);
        if (remove)
            DeleteFileA(found.back().c_str());
    }
    if (search != INVALID_HANDLE_VALUE)
        FindClose(search);
    return found;
}

TEST_F(WindowStoreTest, ADamagedStoreIsToldInAMessageBoxAndMovedAsideWhenAsked)
{
    RunCheckToCompletion();
    WaitForRecording(1);
    // The writer lets go of the store; then a byte of it is flipped.
    View().Keeper().CloseStoreThen(View().Handle(), [] { return ui::Continuation(); });
    PumpUntil([&] { return View().Keeper().Pending() == 0; });
    ASSERT_TRUE(FlipTablePage(storePath_));

    AnswerMessagesWith(IDYES);
    RunCheckToCompletion();
    PumpUntil([&] { return Messages().size() >= 2; });
    const std::vector<RecordedMessage> told = Messages();
    const std::string opening = FillIn(LoadText(IDS_WINDOW_STORE_DAMAGED), storePath_, "").substr(0, 40);
    EXPECT_EQ(told[0].text.rfind(opening, 0), 0u) << told[0].text;
    EXPECT_NE(told[0].text.find("store_checks: "), std::string::npos) << "what SQLite found: " << told[0].text;
    EXPECT_EQ(told[0].flags & MB_TYPEMASK, static_cast<UINT>(MB_YESNOCANCEL));
    std::vector<std::string> moved = MovedAside(storePath_);
    std::sort(moved.begin(), moved.end());
    ASSERT_EQ(moved.size(), 2u) << "the file and its mark";
    EXPECT_EQ(moved[1], DamageMarkPath(moved[0]));
    EXPECT_EQ(told[1].text, FillIn(LoadText(IDS_WINDOW_STORE_MOVED), moved[0], storePath_));
    EXPECT_EQ(GetFileAttributesA(storePath_.c_str()), INVALID_FILE_ATTRIBUTES);

    // The next check starts a new store in its place, and the day's check is done.
    RunCheckToCompletion();
    WaitForRecording(1);
    EXPECT_EQ(ChecksIn(storePath_).size(), 1u);
    View().VerifyStoreOfTheDay();
    EXPECT_FALSE(View().VerifyingStore()) << "verified today already";
    EXPECT_EQ(Messages().size(), 2u);
    MovedAside(storePath_, true);
}

}  // namespace
