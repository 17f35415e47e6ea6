// Recording the window's checks into the inventory store: where they go (Options), handing
// each finished check to the one writer, and telling how it went in the status bar.
#include "shell/main_view.h"

#include "base/narrow.h"
#include "base/text_util.h"
#include "individual/class_catalog.h"
#include "inventory/multi_check.h"
#include "resources/resource.h"
#include "resources/text.h"
#include "shell/app_windows.h"
#include "standard/category_catalog.h"
#include "storetools/check_capture.h"
#include "ui/message_box.h"

namespace {

// One line for the status bar.
std::string OneLine(std::string text)
{
    for (char& character : text)
        if (character == '\r' || character == '\n')
            character = ' ';
    return text;
}

}  // namespace

CheckSink MainView::SinkForChecks(bool opened)
{
    if (!storeChoice_->KeepChecks())
        return {};
    StoreLocation location;
    std::string message;
    if (!storeChoice_->CurrentLocation(GetParent(hwnd_), location, message)) {
        if (!message.empty())
            ShowStatusText(OneLine(message));
        return {};
    }
    CheckKeeper* keeper = keeper_.get();
    const HWND window = hwnd_;
    return [keeper, location, window, opened, this](StoredCheck check) {
        // The told part runs on the window's thread, through the window: never after it went.
        keeper->Keep(location, std::move(check), window, [this, opened](const StoredCheck& kept, const RecordOutcome& outcome) {
            OnCheckKept(kept, outcome, opened);
        });
    };
}

void MainView::OnCheckKept(const StoredCheck& check, const RecordOutcome& outcome, bool opened)
{
    if (opened && outcome.alreadyStored) {
        // The user asked for it to be added: the answer is said, not left in the status bar;
        // what is shown is the stored check.
        NoteOpenedFileRecorded(check.header);
        ui::ShowMessageBox(GetParent(hwnd_), FillIn(LoadText(IDS_STORE_ALREADY_STORED), std::to_string(check.header.id)),
                           MB_ICONINFORMATION | MB_OK);
        return;
    }
    if (outcome.recorded) {
        storeProblemTold_ = false;
        const bool openedShown = NoteOpenedFileRecorded(check.header);
        // Told of the check shown only (a run of several computers records others); a
        // message about the check itself (incomplete, stopped) stays in place.
        if ((openedShown || IsShown(check.header)) && StatusText() == LoadText(IDS_READY))
            ShowStatusText(FillIn(LoadText(outcome.alreadyStored ? IDS_STORE_ALREADY_STORED : IDS_STORE_RECORDED),
                                  std::to_string(check.header.id)));
        return;
    }
    // A server that refused the login asks for the password again next time.
    storeChoice_->ForgetPassword();
    const std::string computer = check.header.target.empty() ? check.header.computer : check.header.target;
    const std::string why = outcome.message.empty() ? LoadText(IDS_STORE_NOT_RECORDED) : outcome.message;
    ShowStatusText(OneLine(FillIn(LoadText(IDS_STORE_CHECK_LOST), computer, why)));
    // The status line is cut off and goes with the next message: a message box tells it,
    // once the store's file was verified.
    OnRecordingFailed(why);
}

bool MainView::IsShown(const StoredCheckHeader& header) const
{
    const bool standard = header.kind == kStandardKind;
    if ((tab_.CurSel() == kStandardTab) != standard || !StoredLabel(tab_.CurSel()).empty())
        return false;
    const ResultsOrigin& origin = standard ? run_.StandardOrigin : run_.ClassOrigin;
    return origin.computer == header.target && origin.checkedAt == header.checkedAt.local;
}

void MainView::KeepStandardCheck(CheckContext& check, const StandardStores& stores, int categoriesRead,
                                 StandardOutcome outcome)
{
    // Captured whether or not it is recorded: the computer sheet is made of it.
    StoredCheck stored = NewStoredCheckOf(check.Host(), runStartedAt_, kStandardKind, runAccount_, "mirel");
    ComputerSummary summary;
    const ComputerResult result = ResultOfSurvey(check, outcome == StandardOutcome::Failed,
                                                 outcome == StandardOutcome::Incomplete, summary);
    NoteCheckResult(stored.header, result, summary, result == ComputerResult::Ok);
    stored.header.seconds = static_cast<double>(CheckTime::Now().epoch - runStartedAt_.epoch);
    CaptureStandardStores(stores, categoriesRead, outcome == StandardOutcome::Failed, stored);
    finishedCheck_ = std::make_unique<StoredCheck>(std::move(stored));
}

void MainView::KeepClassCheck(CheckContext& check, int classId, const ClassQueryEntries& entries, ClassOutcome outcome)
{
    if (!runSink_)
        return;
    StoredCheck stored = NewStoredCheckOf(check.Host(), runStartedAt_, ClassKindOf(classId), runAccount_, "mirel");
    ComputerSummary summary;
    ComputerResult result = ResultOfSurvey(check, outcome == ClassOutcome::Failed,
                                           outcome == ClassOutcome::Incomplete, summary);
    if (outcome == ClassOutcome::NoData)
        result = ComputerResult::NoData;
    NoteCheckResult(stored.header, result, summary, result == ComputerResult::Ok);
    stored.header.seconds = static_cast<double>(CheckTime::Now().epoch - runStartedAt_.epoch);
    const PartState state = result == ComputerResult::Ok            ? PartState::Read
                            : result == ComputerResult::Incomplete ||
                                      result == ComputerResult::Stopped ? PartState::Incomplete
                                                                        : PartState::NotRead;
    NoteCheckedComputer(check, stored.header);
    if (outcome != ClassOutcome::Failed)
        CaptureClassEntries(classId, entries, state, stored);
    finishedCheck_ = std::make_unique<StoredCheck>(std::move(stored));
}

void MainView::KeepUnreachedCheck(CheckContext& check, const std::string& kind, PingResult pinged,
                                  const std::string& message)
{
    if (!runSink_)
        return;
    // Recorded as the window that checks several computers records it.
    ComputerSummary summary;
    ResultOfPing(pinged, check.Host(), message, summary);
    StoredCheck stored = NewStoredCheckOf(check.Host(), runStartedAt_, kind, runAccount_, "mirel");
    NoteCheckResult(stored.header, summary.result, summary, false);
    stored.header.seconds = static_cast<double>(CheckTime::Now().epoch - runStartedAt_.epoch);
    finishedCheck_ = std::make_unique<StoredCheck>(std::move(stored));
}

std::string ClassKindOf(int classId)
{
    const ClassCatalogEntry* entry = FindClass(classId);
    return entry ? entry->className : std::string();
}

void MainView::HandOverFinishedCheck()
{
    std::unique_ptr<StoredCheck> finished = std::move(finishedCheck_);
    if (finished && finished->IsStandard())
        finishedStandard_ = std::make_shared<const StoredCheck>(*finished);
    if (finished && runSink_)
        runSink_(std::move(*finished));
}
