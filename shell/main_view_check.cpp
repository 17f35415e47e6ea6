// Starting, watching, stopping and finishing a check from the main view.
#include "shell/main_view.h"

#include "base/narrow.h"
#include "base/text_util.h"
#include "engine/query_executor.h"
#include "engine/icmp_probe.h"
#include "individual/class_hierarchy.h"
#include "individual/class_survey.h"
#include "resources/resource.h"
#include "resources/text.h"
#include "shell/app_windows.h"
#include "shell/credential_prompt.h"
#include "standard/category_catalog.h"
#include "standard/standard_survey.h"
#include "ui/message_box.h"
#include "ui/wait_cursor.h"

namespace {

// Probes a named host; false (after telling the user) when the check must not start. A
// host that resolves but drops ping may still answer WMI: the user decides.
bool HostAnswers(HWND owner, const std::string& name, const WmiConnector& connector)
{
    std::string message;
    const CheckContext probe(name, nullptr, connector);
    switch (PingHost(probe, message)) {
    case PingResult::NoLibrary:
    case PingResult::HostNotFound:
    case PingResult::NotResolvedInTime:
        ui::ShowMessageBox(owner, message, MB_ICONEXCLAMATION | MB_OK);
        return false;
    case PingResult::NoReply:
        return ui::ShowMessageBox(owner, FillIn(LoadText(IDS_CONNECT_ANYWAY), name),
                                  MB_ICONQUESTION | MB_YESNO) == IDYES;
    default:
        return true;   // a reply, or no memory to wait for one
    }
}

}  // namespace

void MainView::OnRunButton()
{
    if (run_.RunningCheck != CheckKind::None) {
        RequestStop();
        return;
    }
    RunCheck({});
}

void MainView::ConnectAs()
{
    if (run_.RunningCheck != CheckKind::None)
        return;
    Credentials credentials;
    const std::string name = TrimWhiteSpace(nameField_.Text());
    const CredentialPrompt& ask = credentialPrompt_ ? credentialPrompt_ : CredentialPrompt(AskForCredentials);
    if (!ask(GetParent(hwnd_), name, credentials))
        return;
    RunCheck(std::move(credentials));
}

void MainView::RunCheck(Credentials credentials)
{
    ui::WaitCursor wait;
    std::string name = TrimWhiteSpace(nameField_.Text());
    if (!name.empty() && !HostAnswers(GetParent(hwnd_), name, connector_))
        return;
    RememberComputer(name);
    run_.ShownComputer = run_.TargetComputer;
    run_.ShownClassName = run_.SelectedClassName;
    run_.ShownClassId = run_.SelectedClassId;
    if (tab_.CurSel() == kStandardTab) {
        run_.TargetComputer = name;
        run_.IncomingStores = std::make_unique<StandardStores>();
        run_.CategoriesRead = 0;
        StandardStores* incoming = run_.IncomingStores.get();
        StandardOutcome* outcome = &run_.StandardResult;
        std::atomic<int>* read = &run_.CategoriesRead;
        previousRootText_ = standardForm_->RootText();
        StartCheck(name, std::move(credentials),
                   [this, incoming, outcome, read](CheckContext& check) {
                       if (runSink_)
                           incoming->KeepRawValues(true);
                       *outcome = RunStandardSurvey(check, *incoming, read);
                       KeepStandardCheck(check, *incoming, read->load(), *outcome);
                   },
                   CheckKind::Standard);
        return;
    }
    FormIndividual& form = *individualForm_;
    if (form.ClassEntryCount() == 0 || form.SelectedClassCode() == kNoSelectionCode) {
        ui::ShowMessageBox(GetParent(hwnd_), LoadText(IDS_SELECT_CLASS), MB_ICONEXCLAMATION | MB_OK);
        return;
    }
    run_.SelectedClassName = form.SelectedClassText();
    // The rows of the last check stay until the new check delivers rows of its own.
    form.BeginCheck();
    run_.TargetComputer = name;
    run_.SelectedClassId = form.SelectedClassCode();
    const int classId = run_.SelectedClassId;
    ClassOutcome* outcome = &run_.ClassResult;
    StartCheck(name, std::move(credentials),
               [this, classId, outcome](CheckContext& check) {
                   ClassQueryEntries entries;
                   *outcome = RunClassSurvey(check, classId, runSink_ ? &entries : nullptr);
                   KeepClassCheck(check, classId, entries, *outcome);
               },
               CheckKind::Individual);
}

bool MainView::StartCheck(const std::string& host, Credentials credentials, CheckJob job, CheckKind kind)
{
    // Where the check is kept is settled here, on the window's thread (a server store may
    // ask for its password); the worker only hands the finished check over.
    runSink_ = SinkForChecks();
    runAccount_ = ToNarrow(credentials.user);
    runStartedAt_ = CheckTime::Now();
    run_.Check = std::make_unique<CheckContext>(host, &reporter_, connector_);
    run_.Check->SetCredentials(std::move(credentials));
    if (!run_.Worker.Start(*run_.Check, hwnd_, std::move(job))) {
        run_.RunningCheck = CheckKind::None;
        return false;
    }
    run_.RunningCheck = kind;
    run_.StandardResult = StandardOutcome::Done;
    run_.ClassResult = ClassOutcome::Done;
    run_.ProgressTimer = SetTimer(hwnd_, kProgressTimerId, kProgressPeriodMs, nullptr);
    checkTab_ = tab_.CurSel();
    // Disabling the control that has the focus would leave the keyboard with nowhere to
    // go: the Run button (now Stop) keeps it, so that Enter stops the check.
    runButton_.SetFocus();
    EnableCheckControls(false);
    runButton_.SetText(LoadText(IDS_STOP));
    Invalidate();
    ShowStatusText(LoadText(IDS_PREPARING));
    ShowCheckProgress(0, kind == CheckKind::Standard ? kCategoryCount : 0);
    return true;
}

void MainView::RequestStop()
{
    if (run_.RunningCheck == CheckKind::None || !run_.Check)
        return;
    run_.Check->RequestStop();
    runButton_.Enable(false);
}

void MainView::EnableCheckControls(bool enable)
{
    nameBox_.Enable(enable);
    nameField_.Enable(enable);
    tab_.Enable(enable);
    // The form whose tab was selected at Run, also when the user switched tabs since.
    if (checkTab_ == kStandardTab)
        standardForm_->EnableControls(enable);
    else
        individualForm_->EnableControls(enable);
}

void MainView::OnCheckComplete()
{
    if (run_.RunningCheck == CheckKind::None || !run_.Worker.IsStarted())
        return;   // no check of ours has ended
    run_.Worker.Join();
    // Its recording is told through a posted message, after the status below.
    HandOverFinishedCheck();
    runButton_.SetText(LoadText(IDS_RUN));
    const CheckKind kind = run_.RunningCheck;
    const bool stopped = run_.Check && run_.Check->IsStopRequested();
    run_.RunningCheck = CheckKind::None;
    ShowCheckProgress(0, -1);
    // The form of the check that ended shows its new results, whichever tab is selected.
    const bool adopted = kind == CheckKind::Standard ? AdoptStandardResults(stopped) : AdoptClassResults();
    if (!adopted) {
        run_.TargetComputer = run_.ShownComputer;
        run_.SelectedClassName = run_.ShownClassName;
        run_.SelectedClassId = run_.ShownClassId;
    }
    EnableCheckControls(true);
    runButton_.Enable(true);
    ResultList& list = kind == CheckKind::Standard ? standardForm_->DisplayList()
                                              : individualForm_->ResultListControl();
    if (tab_.CurSel() == checkTab_)
        list.View().SetFocus();
    else
        tab_.SetFocus();
    Invalidate();
    KillTimer(hwnd_, run_.ProgressTimer);
    run_.ProgressTimer = 0;
    if (!adopted) {
        reporter_.TakeIncompleteReadings();
        ShowStatusText(LoadText(IDS_RESULTS_KEPT));
    } else {
        ReportIncompleteReadings(kind, stopped);
    }
}

bool MainView::AdoptStandardResults(bool stopped)
{
    std::unique_ptr<StandardStores> incoming = std::move(run_.IncomingStores);
    const bool failed = run_.StandardResult == StandardOutcome::Failed;
    if (!incoming || (!incoming->HasData() && (failed || stopped))) {
        standardForm_->SetRootText(previousRootText_);
        return false;
    }
    run_.Stores = std::move(*incoming);
    run_.Stores.KeepRawValues(false);   // recorded by now; the lists show texts
    SetStoredLabel(kStandardTab, {});
    standardForm_->StartUnsorted();
    standardForm_->ShowStandardPage(standardForm_->CurrentPage());
    standardForm_->SetRootText(run_.TargetComputer.empty() ? LoadText(IDS_LOCAL_COMPUTER)
                                                           : "[" + run_.TargetComputer + "]");
    return true;
}

bool MainView::AdoptClassResults()
{
    FormIndividual& form = *individualForm_;
    // No object at all is a result too: the list empties. A failure, a stop before the
    // first row or declined rows leave the last rows where they are.
    if (form.AwaitingRows() && run_.ClassResult == ClassOutcome::NoData)
        form.ShowNoObjects();
    const bool adopted = !form.AwaitingRows() || run_.ClassResult == ClassOutcome::NoData;
    form.EndCheck();
    if (adopted)
        SetStoredLabel(kIndividualTab, {});
    return adopted;
}

void MainView::ReportIncompleteReadings(CheckKind kind, bool stopped)
{
    if (kind == CheckKind::Standard)
        standardForm_->MarkIncompleteCategories();
    std::vector<std::string> readings = reporter_.TakeIncompleteReadings();
    if (readings.empty()) {
        ShowStatusText(LoadText(stopped ? (kind == CheckKind::Standard ? IDS_STOPPED_STANDARD : IDS_STOPPED_INDIVIDUAL)
                                        : IDS_READY));
        return;
    }
    ShowStatusText(LoadText(IDS_CHECK_INCOMPLETE) + readings.front());
    // A computer that breaks off every reading must not give a box taller than the screen.
    constexpr size_t kShownReadings = 5;
    std::string text;
    for (size_t i = 0; i < readings.size() && i < kShownReadings; ++i)
        text += (text.empty() ? "" : "\n") + readings[i];
    if (readings.size() > kShownReadings)
        text += "\n" + FillIn(LoadText(IDS_AND_MORE), std::to_string(readings.size() - kShownReadings));
    ui::ShowMessageBox(GetParent(hwnd_), text, MB_ICONEXCLAMATION | MB_OK);
}

void MainView::OnTimer()
{
    if (run_.RunningCheck == CheckKind::Standard || run_.RunningCheck == CheckKind::Individual)
        ShowStatusText(run_.StatusText());
    if (run_.RunningCheck == CheckKind::Standard)
        ShowCheckProgress(run_.CategoriesRead.load(), kCategoryCount);
}
