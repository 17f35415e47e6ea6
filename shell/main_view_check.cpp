// Starting, watching, stopping and finishing a check from the main view. The window's
// thread never waits for the check: the name, the ping and every reading happen on the
// worker, which leaves its messages, rows and questions with the reporter; the window
// takes them, and asks the user, when the check has ended.
#include "shell/main_view.h"

#include "base/narrow.h"
#include "base/iso_time.h"
#include "base/text_util.h"
#include "engine/query_executor.h"
#include "engine/icmp_probe.h"
#include "individual/class_hierarchy.h"
#include "individual/class_survey.h"
#include "resources/resource.h"
#include "resources/text.h"
#include "shell/app_windows.h"
#include "shell/credential_prompt.h"
#include "shell/multi_check_window.h"
#include "standard/category_catalog.h"
#include "standard/standard_survey.h"
#include "ui/message_box.h"

namespace {

// What becomes of a check whose computer could not be reached: the ping's result and message.
using UnreachedCheck = std::function<void(CheckContext& check, PingResult pinged, const std::string& message)>;

// The job of a window check: a named computer is resolved and pinged first (unless the
// user chose to connect without), on the worker; the survey runs when it answers, and
// `unreached` takes the check otherwise.
CheckJob PingFirst(CheckJob survey, bool ping, PingResult* pinged, UnreachedCheck unreached)
{
    return [survey = std::move(survey), ping, pinged, unreached = std::move(unreached)](CheckContext& check) {
        *pinged = PingResult::Replied;
        if (ping && !TrimWhiteSpace(check.Host()).empty()) {
            std::string message;
            *pinged = PingHost(check, message);
            switch (*pinged) {
            case PingResult::NoLibrary:
            case PingResult::HostNotFound:
            case PingResult::NotResolvedInTime:
                unreached(check, *pinged, message);
                check.ShowMessage(message, MB_ICONEXCLAMATION | MB_OK);
                return;
            case PingResult::NoReply:
            case PingResult::Stopped:
                // The window asks whether to connect anyway; a stop ends here.
                unreached(check, *pinged, message);
                return;
            default:
                break;    // a reply, or no memory to wait for one
            }
        }
        survey(check);
    };
}

bool PingLetTheSurveyRun(PingResult pinged)
{
    return pinged == PingResult::Replied || pinged == PingResult::OutOfMemory;
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

void MainView::RunCheck(Credentials credentials, bool ping)
{
    std::string name = TrimWhiteSpace(nameField_.Text());
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
        reporter_.BeginCheck({});
        StartCheck(name, std::move(credentials),
                   PingFirst([this, incoming, outcome, read](CheckContext& check) {
                       incoming->KeepRawValues(true);   // for the store and the computer sheet
                       *outcome = RunStandardSurvey(check, *incoming, read);
                       KeepStandardCheck(check, *incoming, read->load(), *outcome);
                   }, ping, &run_.Pinged, [this](CheckContext& check, PingResult pinged, const std::string& message) {
                       KeepUnreachedCheck(check, kStandardKind, pinged, message);
                   }),
                   CheckKind::Standard);
        return;
    }
    FormIndividual& form = IndividualForm();
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
    reporter_.BeginCheck(run_.SelectedClassName);
    StartCheck(name, std::move(credentials),
               PingFirst([this, classId, outcome](CheckContext& check) {
                   ClassQueryEntries entries;
                   *outcome = RunClassSurvey(check, classId, runSink_ ? &entries : nullptr);
                   KeepClassCheck(check, classId, entries, *outcome);
               }, ping, &run_.Pinged, [this, classId](CheckContext& check, PingResult pinged, const std::string& message) {
                   KeepUnreachedCheck(check, ClassKindOf(classId), pinged, message);
               }),
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
    // Kept for "connect anyway" after a ping without reply: the check goes on as the same account.
    run_.RetryCredentials = credentials;
    run_.Check->SetCredentials(std::move(credentials));
    run_.Pinged = PingResult::Replied;
    run_.StandardResult = StandardOutcome::Done;
    run_.ClassResult = ClassOutcome::Done;
    if (!run_.Worker.Start(*run_.Check, hwnd_, std::move(job))) {
        run_.RunningCheck = CheckKind::None;
        return false;
    }
    run_.RunningCheck = kind;
    // The time the check is recorded with, so that its recording is known as the check shown.
    run_.CheckStartedAt = runStartedAt_.local;
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

bool MainView::ChecksRunning() const
{
    return run_.RunningCheck != CheckKind::None || (multiCheck_ && multiCheck_->IsRunning());
}

bool MainView::Recording() const
{
    return keeper_->Pending() > 0;
}

bool MainView::EndAfterChecks()
{
    keeper_->AbandonAtEnd();
    // A run of several computers stops as its window goes with the frame.
    if (multiCheck_)
        multiCheck_->RequestStop();
    if (run_.RunningCheck == CheckKind::None)
        return true;
    endAfterCheck_ = true;
    RequestStop();
    return false;
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
        IndividualForm().EnableControls(enable);
}

void MainView::OnCheckComplete()
{
    if (run_.RunningCheck == CheckKind::None || !run_.Worker.IsStarted())
        return;   // no check of ours has ended
    run_.Worker.Join();
    const bool stopped = run_.Check && run_.Check->IsStopRequested();
    // Its recording is told through a posted message, after the status below. A computer
    // that did not answer ping is recorded so only when the user does not connect anyway.
    if (run_.Pinged == PingResult::NoReply && !stopped && !endAfterCheck_)
        unansweredCheck_ = std::move(finishedCheck_);
    HandOverFinishedCheck();
    runButton_.SetText(LoadText(IDS_RUN));
    const CheckKind kind = run_.RunningCheck;
    run_.RunningCheck = CheckKind::None;
    ShowCheckProgress(0, -1);
    KillTimer(hwnd_, run_.ProgressTimer);
    run_.ProgressTimer = 0;
    if (endAfterCheck_) {
        // The program is closing: nothing more to show or ask; the frame ends as on a quit.
        run_.RetryCredentials = {};
        PostMessageW(GetParent(hwnd_), WM_CLOSE, 0, 0);
        return;
    }
    const bool surveyRan = PingLetTheSurveyRun(run_.Pinged);
    const bool notFound = !surveyRan && run_.Pinged != PingResult::NoReply && run_.Pinged != PingResult::Stopped;
    for (const WindowReporter::Message& message : reporter_.TakeMessages()) {
        // A computer that was not found leaves that failure in the status bar, as a failed
        // check's message does, once the box is gone.
        if (notFound)
            ShowStatusText(message.text.substr(0, message.text.find('\n')));
        ui::ShowMessageBox(GetParent(hwnd_), message.text, message.flags);
    }
    // Only a computer that was found joins the names offered in the drop-down.
    if (surveyRan && run_.Check)
        RememberComputer(TrimWhiteSpace(run_.Check->Host()));
    if (!surveyRan) {
        run_.StandardResult = StandardOutcome::Failed;
        run_.ClassResult = ClassOutcome::Failed;
    }
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
                                              : IndividualForm().ResultListControl();
    if (tab_.CurSel() == checkTab_)
        list.View().SetFocus();
    else
        tab_.SetFocus();
    Invalidate();
    if (run_.Pinged == PingResult::NoReply && !stopped) {
        ShowStatusText(LoadText(IDS_RESULTS_KEPT));
        AskToConnectAnyway();
        return;
    }
    run_.RetryCredentials = {};
    if (!adopted) {
        reporter_.TakeIncompleteReadings();
        if (!notFound)
            ShowStatusText(LoadText(IDS_RESULTS_KEPT));
    } else {
        ReportIncompleteReadings(kind, stopped);
    }
}

// A computer that resolved but did not answer ping may still answer WMI: the user decides,
// and the check runs again without the ping, as the same account.
void MainView::AskToConnectAnyway()
{
    Credentials credentials = std::move(run_.RetryCredentials);
    run_.RetryCredentials = {};
    std::unique_ptr<StoredCheck> unanswered = std::move(unansweredCheck_);
    if (ui::ShowMessageBox(GetParent(hwnd_), FillIn(LoadText(IDS_CONNECT_ANYWAY), run_.Check->Host()),
                           MB_ICONQUESTION | MB_YESNO) == IDYES) {
        RunCheck(std::move(credentials), false);
        return;
    }
    finishedCheck_ = std::move(unanswered);
    HandOverFinishedCheck();
}

bool MainView::AdoptStandardResults(bool stopped)
{
    std::unique_ptr<StandardStores> incoming = std::move(run_.IncomingStores);
    std::shared_ptr<const StoredCheck> finished = std::move(finishedStandard_);
    const bool failed = run_.StandardResult == StandardOutcome::Failed;
    if (!incoming || (!incoming->HasData() && (failed || stopped))) {
        standardForm_->SetRootText(previousRootText_);
        return false;
    }
    run_.Stores = std::move(*incoming);
    run_.Stores.KeepRawValues(false);   // recorded by now; the lists show texts
    shownStandardCheck_ = std::move(finished);
    SetStoredLabel(kStandardTab, {});
    run_.StandardOrigin = {run_.TargetComputer, run_.CheckStartedAt};
    standardForm_->StartUnsorted();
    standardForm_->ShowFailure({});   // shows the current page
    standardForm_->SetRootText(run_.TargetComputer.empty() ? LoadText(IDS_LOCAL_COMPUTER)
                                                           : "[" + run_.TargetComputer + "]");
    return true;
}

bool MainView::AdoptClassResults()
{
    FormIndividual& form = IndividualForm();
    bool selectFirst = false;
    std::vector<ClassResultRow> rows = reporter_.TakeClassRows(selectFirst);
    // A stopped check read part of the class: the user decides whether to see it.
    for (const std::string& question : reporter_.TakeQuestions())
        if (ui::ShowMessageBox(GetParent(hwnd_), question, MB_YESNO | MB_ICONINFORMATION) != IDYES) {
            run_.ClassResult = ClassOutcome::Declined;
            rows.clear();
        }
    if (!rows.empty()) {
        // Through the form's own message, on this thread: the form takes them as it always has.
        SendMessageW(form.Handle(), WM_CLASS_ROWS_READY, reinterpret_cast<WPARAM>(&rows), 0);
        if (selectFirst)
            SendMessageW(form.Handle(), WM_SELECT_FIRST_CLASS_ROW, 0, 0);
    }
    // No object at all is a result too: the list empties. A failure, a stop before the
    // first row or declined rows leave the last rows where they are.
    if (form.AwaitingRows() && run_.ClassResult == ClassOutcome::NoData)
        form.ShowNoObjects();
    const bool adopted = !form.AwaitingRows() || run_.ClassResult == ClassOutcome::NoData;
    form.EndCheck();
    if (adopted) {
        SetStoredLabel(kIndividualTab, {});
        run_.ClassOrigin = {run_.TargetComputer, run_.CheckStartedAt};
    }
    return adopted;
}

void MainView::ReportIncompleteReadings(CheckKind kind, bool stopped)
{
    if (kind == CheckKind::Standard)
        standardForm_->LabelCategories(true);
    std::vector<std::string> readings = reporter_.TakeIncompleteReadings();
    if (readings.empty()) {
        ShowStatusText(LoadText(StatusAfterCheck(kind, stopped)));
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

UINT MainView::StatusAfterCheck(CheckKind kind, bool stopped) const
{
    if (!stopped)
        return IDS_READY;
    if (kind == CheckKind::Individual)
        return IDS_STOPPED_INDIVIDUAL;
    // A stop that came after the last category was read cut nothing: no category is marked.
    return run_.Stores.AnyIncomplete() ? IDS_STOPPED_STANDARD : IDS_STOPPED_NOTHING_CUT;
}

void MainView::OnTimer()
{
    if (run_.RunningCheck == CheckKind::Standard || run_.RunningCheck == CheckKind::Individual)
        ShowStatusText(run_.StatusText());
    if (run_.RunningCheck == CheckKind::Standard)
        ShowCheckProgress(run_.CategoriesRead.load(), kCategoryCount);
}
