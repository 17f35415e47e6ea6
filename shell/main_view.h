// The main view: the "Computer Name" field, the Run/Stop button and the tab control that
// hosts the standard and the individual form. It starts, watches and finishes checks,
// routes the program's commands, lays out its controls and gives the keyboard a path
// into the forms.
#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "appearance/appearance_settings.h"
#include "base/handles.h"
#include "individual/form_individual.h"
#include "shell/check_keeper.h"
#include "shell/credential_prompt.h"
#include "shell/layout_settings.h"
#include "shell/run_state.h"
#include "shell/store_settings.h"
#include "shell/window_reporter.h"
#include "store/store_verify.h"
#include "standard/form_standard.h"
#include "ui/dialog.h"
#include "ui/form_host.h"
#include "ui/combo_box.h"
#include "ui/quiet_drop_down.h"
#include "ui/tab_ctrl.h"

class HistoryWindow;

// The kind a stored check of class `classId` has: the class's name.
std::string ClassKindOf(int classId);
class MultiCheckWindow;
class QuestionsWindow;

// When a stored check was checked, as its label shows it: the user's short date and time,
// the clock time where it was checked.
std::string StoredLabelTime(const StoredCheckHeader& header);

// The tabs of the main view, in their order.
inline constexpr int kStandardTab = 0;
inline constexpr int kIndividualTab = 1;

class MainView : public ui::Dialog, public ui::FormHost {
public:
    MainView();
    ~MainView() override;

    // The state of a command for menus and toolbar.
    struct CommandState {
        bool handled = false;
        bool enabled = true;
        bool checked = false;
    };
    CommandState QueryCommand(int command) const;
    // Runs a command of the menu, toolbar or accelerators; false when not ours.
    bool RunCommand(int command);

    // The check lifecycle.
    void OnRunButton();
    // Asks for another account and runs the check as that account.
    void ConnectAs();
    // Who asks for that account (tests answer instead of the platform's dialog).
    void SetCredentialPrompt(CredentialPrompt prompt) { credentialPrompt_ = std::move(prompt); }
    void OnCheckComplete();
    void OnTimer();

    FormStandard& StandardForm() { return *standardForm_; }
    // The individual tab's form, made when it is first needed (its tab chosen, a class
    // check, a stored check shown): nothing of it is built before the window shows.
    FormIndividual& IndividualForm();
    // The individual list's column widths as the layout keeps them; given before the form
    // exists, they wait for it.
    std::string IndividualWidths() const;
    void SetIndividualWidths(const std::string& widths);
    // Told of every form made after the view (the frame gives it the look).
    std::function<void(HWND)> onFormCreated;
    const ui::TabCtrl& Tab() const { return tab_; }
    // The text field of the "Computer Name" drop-down, and the drop-down itself, which
    // offers the computers checked last (most recent first).
    HWND NameField() const override { return nameField_.Handle(); }
    const ui::ComboBox& NameBox() const { return nameBox_; }
    // Where the computers checked last and the store settings are kept (under
    // HKEY_CURRENT_USER); set before the view is created.
    void SetSettingsKey(std::string key);
    // Where the view will stand in the frame (client coordinates); set before the view is
    // created, so that its controls are laid out once, at that size.
    void SetInitialPlace(const RECT& place) { initialPlace_ = place; }
    HWND RunButton() const { return runButton_.Handle(); }
    int SelectedTab() const { return tab_.CurSel(); }

    // The check of the window program: the last Run's choices, the running check, the
    // standard results.
    const RunState& Run() const { return run_; }
    // main_view_where.cpp: which computer the shown results come from, when they were
    // read and how many objects the shown list holds; empty while none are shown.
    std::string WhereText() const;
    RunState& Run() { return run_; }
    // Asks the running check to stop (the Stop command).
    void RequestStop();
    // A check runs: the main view's, or a run of the window that checks several computers.
    bool ChecksRunning() const;
    // Checks handed over are still being recorded into the store.
    bool Recording() const;
    // The program is closing: the running checks are stopped; true when none is left
    // running (the frame may close now), else the main view's check asks the frame to
    // close again when it has ended, without anything shown or asked in between.
    bool EndAfterChecks();
    // How checks reach WMI (tests put a provider of their own here).
    void SetWmiConnector(WmiConnector connector) { connector_ = std::move(connector); }

    // main_view_multi.cpp: File > Check several computers... opens (or brings back) its
    // window. Standard results read there are shown as if the last standard check had
    // read them: in the Standard tab, the tree's root labelled with the computer; false
    // while a check runs.
    void OpenMultiCheck();
    MultiCheckWindow* MultiCheck() { return multiCheck_.get(); }
    // The size and maximised state of that window: as it is, or as it was last left.
    WindowShape SeveralWindowShape() const;
    void SetSeveralWindowShape(const WindowShape& shape) { severalShape_ = shape; }
    bool ShowStandardResults(const std::string& computer, const StandardStores& stores,
                             const std::string& checkedAt);

    // main_view_stored.cpp: a stored check in the usual tabs, read only: the standard check
    // in the tree and lists, an individual check in the individual tab with its class
    // chosen; the title and the tree's root name the computer and when it was checked.
    // Every list tool works on it; a new check replaces it. False (after telling why) while
    // a check runs, or for a class this program does not know.
    // A check opened from a file is named by `fileName` (in the title and the tree) until
    // it is added to the store. A check that read nothing shows its result and error where
    // its results would be.
    bool ShowStoredCheck(std::shared_ptr<const StoredCheck> check, const std::string& fileName = {});
    // Reads check `checkId` from the current store off the window's thread, then shows it;
    // what went wrong is told in a message. False when the reading did not start.
    bool OpenStoredCheck(int64_t checkId);
    // What the title and the tree say of the stored check shown in `tab`; empty when the
    // tab shows a live check (or nothing).
    const std::string& StoredLabel(int tab) const { return storedLabel_[tab == kStandardTab ? 0 : 1]; }

    // main_view_record.cpp: the store the window uses (Options), and its one writer.
    StoreChoice& Store() { return *storeChoice_; }
    CheckKeeper& Keeper() { return *keeper_; }
    // Where the checks starting now go: empty when checks are not kept or the store cannot
    // be used now (the user cancelled its password; a message said why otherwise). Asked on
    // the window's thread; the sink may then be called from any thread.
    // `opened`: for a check opened from a file, whose recording the user asked for.
    CheckSink SinkForChecks(bool opened = false);
    // How a recording went, told on the window's thread: the status bar says it.
    void OnCheckKept(const StoredCheck& check, const RecordOutcome& outcome, bool opened);
    // Whether the selected tab shows the results of the check `header` describes, read
    // here (not opened from the store or a file).
    bool IsShown(const StoredCheckHeader& header) const;

    // main_view_damage.cpp: the store's soundness. SQLite's integrity check runs over the
    // store file in the background, at most once a day and after a recording failed; a store
    // found damaged, or one that cannot record, is told in a message box that offers the
    // way out (move the file aside and start a new store, or choose another in Options).
    // The window's thread never waits for it.
    void VerifyStoreOfTheDay();
    void OnRecordingFailed(const std::string& why);
    bool VerifyingStore() const { return verifying_; }

    // main_view_open.cpp: File > Open... (a check saved as JSON) and File > Options....
    void OpenCheckFile();
    // Shows the check saved in `path` and offers to add it to the store; false when the
    // file is no check (after the message).
    bool OpenCheckFile(const std::string& path);
    void OpenOptions();

    // main_view_store.cpp: File > History... and File > Inventory questions... open (or
    // bring back) their windows over the inventory store.
    void OpenHistory();
    // The store the windows over it read: the one Options chose, with the session's password;
    // false after telling why not (or after the user cancelled the password).
    bool StoreForWindows(StoreLocation& location);
    void OpenQuestions();
    HistoryWindow* History() { return history_.get(); }

    // main_view_report.cpp: File > Report... writes the fleet report of the store into a file
    // the user chooses; Computer sheet (the standard tab) writes the sheet of the check shown
    // into a temporary file. Each is made off the window's thread, then opened in the
    // default browser, or by the opener given here (tests: no browser starts).
    void MakeFleetReport();
    void MakeComputerSheet();
    using ReportOpener = std::function<bool(const std::string& path)>;
    void SetReportOpener(ReportOpener opener) { reportOpener_ = std::move(opener); }
    // The standard check shown, as the store keeps it; null when none is shown.
    std::shared_ptr<const StoredCheck> ShownStandardCheck() const;
    QuestionsWindow* Questions() { return questions_.get(); }

    bool PreTranslateMessage(MSG& message) override;
    // Offers a key message to the program's shortcuts (accelerator table 128), sent to the
    // frame; true when it was one.
    bool TranslateShortcut(MSG& message) override;

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;
    bool OnNotify(NMHDR* header, LRESULT& result) override;
    void OnSize(UINT type, int width, int height) override;
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // main_view.cpp
    void ApplyTabSelection();
    void ShowTab(int tab);
    void LayoutControls(int width, int height);
    bool HandleNavigationKey(const MSG& message);
    void FillRecentComputers();
    // A check of `name` starts: it goes first in the drop-down and in the registry.
    void RememberComputer(const std::string& name);
    // main_view_check.cpp
    // Runs the check of the tab, pinging a named computer first unless `ping` is false.
    void RunCheck(Credentials credentials, bool ping = true);
    void AskToConnectAnyway();
    bool StartCheck(const std::string& host, Credentials credentials, CheckJob job, CheckKind kind);
    void EnableCheckControls(bool enable);
    // After a check: the forms take its results, unless it ended before its first one;
    // false when the previous results stay.
    bool AdoptStandardResults(bool stopped);
    bool AdoptClassResults();
    // After a check: marks and tells what it could not read completely.
    void ReportIncompleteReadings(CheckKind kind, bool stopped);
    // The status bar's message once a check has ended without incomplete readings.
    UINT StatusAfterCheck(CheckKind kind, bool stopped) const;
    // main_view_commands.cpp
    ResultList& ShownList();
    void Paste();
    void Find();
    void SaveCsv();
    void SaveText();
    bool CanSaveCsv() const;
    bool ShownListHasRows() const;
    // main_view_stored.cpp
    void ShowStoredStandard(const StoredCheck& check, const std::string& label);
    bool ShowStoredClass(const StoredCheck& check, const std::string& label);
    void SetStoredLabel(int tab, std::string label);
    // A check was recorded: when it is the one opened from a file and shown, it is named as
    // a stored check from now on; true when its tab is the one selected.
    bool NoteOpenedFileRecorded(const StoredCheckHeader& header);
    void UpdateTitle();
    // main_view_record.cpp: the worker captures its finished check (as the store keeps it),
    // and the window hands it to the sink once the check's end is shown.
    void KeepStandardCheck(CheckContext& check, const StandardStores& stores, int categoriesRead,
                           StandardOutcome outcome);
    void KeepClassCheck(CheckContext& check, int classId, const ClassQueryEntries& entries, ClassOutcome outcome);
    // A computer that could not be reached (not found, no answer, stopped at the ping).
    void KeepUnreachedCheck(CheckContext& check, const std::string& kind, PingResult pinged,
                            const std::string& message);
    void HandOverFinishedCheck();
    // main_view_report.cpp
    void WriteReport(const std::string& path, std::function<bool(std::string& html, std::string& message)> make);

    // main_view_damage.cpp
    void StartVerifying(const StoreLocation& location, const std::string& failure);
    void OnStoreVerified(const StoreLocation& location, const StoreVerdict& verdict, const std::string& failure);
    void OfferWayOutOfDamage(const StoreLocation& location, const StoreVerdict& verdict);
    void OfferOtherStore(const std::string& why);
    void MoveDamagedStoreAside(const StoreLocation& location);

    // ui::FormHost
    HWND TabControl() const override { return tab_.Handle(); }

    RunState run_;
    std::unique_ptr<StoreChoice> storeChoice_;
    std::unique_ptr<CheckKeeper> keeper_;   // outlives the checks and windows that hand it checks
    // What the running check of the main view records: set at Run, read by its worker.
    CheckSink runSink_;
    std::string runAccount_;
    CheckTime runStartedAt_;
    std::unique_ptr<StoredCheck> finishedCheck_;   // written by the worker before it ends
    // The standard check shown with its raw values (live, stored or opened), for its sheet;
    // the last live one waits in finishedStandard_ until its results are shown.
    std::shared_ptr<const StoredCheck> shownStandardCheck_, finishedStandard_;
    ReportOpener reportOpener_;
    bool verifying_ = false;        // the store's integrity check runs in the background
    bool storeProblemTold_ = false; // a message told the store cannot record; not again until it records
    std::unique_ptr<StoredCheck> unansweredCheck_; // kept while the user decides to connect anyway
    std::string storedLabel_[2];   // per tab, see StoredLabel
    // The check opened from a file and shown, until it is recorded (kind empty: none).
    struct OpenedFile {
        std::string kind;
        std::string computer;
        std::string checkedAtUtc;
    } openedFile_;
    int shownTab_ = kStandardTab;  // the tab whose form is shown
    RECT initialPlace_{};
    SIZE laidOut_{-1, -1};         // the size the controls were last placed for
    std::string individualWidths_; // for the individual form, until it is made
    WmiConnector connector_;
    CredentialPrompt credentialPrompt_;
    WindowReporter reporter_;
    ui::TabCtrl tab_;
    ui::ComboBox nameBox_;
    ui::QuietDropDown quietNameBox_;   // the same control: offers no empty list
    ui::Window nameField_;
    ui::Window runButton_;
    std::unique_ptr<FormStandard> standardForm_;
    std::unique_ptr<FormIndividual> individualForm_;
    HACCEL accelerators_ = nullptr;
    UniqueFont nameFont_;   // the system's interface font for the typed name
    int checkTab_ = 0;   // the tab selected when the running (or last) check started
    std::unique_ptr<MultiCheckWindow> multiCheck_;   // goes first: it may show into the forms
    std::unique_ptr<HistoryWindow> history_;          // these two as well
    std::unique_ptr<QuestionsWindow> questions_;
    std::string previousRootText_;   // the tree root's label before the running check
    WindowShape severalShape_;       // stored for the window that checks several computers
    bool endAfterCheck_ = false;     // the program closes once the running check has ended
    std::string settingsKey_;
    std::vector<std::string> recentComputers_;
};
