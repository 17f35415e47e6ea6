// Starting, watching, stopping and finishing a check from the main view.
#include "shell/main_view.h"

#include "engine/check_worker.h"
#include "engine/icmp_probe.h"
#include "engine/run_state.h"
#include "individual/class_hierarchy.h"
#include "render/text_util.h"
#include "resources/resource.h"
#include "resources/text.h"
#include "shell/app_windows.h"
#include "standard/category_catalog.h"
#include "ui/handles.h"
#include "ui/message_box.h"

namespace {

constexpr UINT_PTR kProgressTimerId = 1;
constexpr UINT kProgressPeriodMs = 250;
constexpr int kStandardTab = 0;

// Probes a named host; false (after telling the user) when the check must not start.
bool HostAnswers(HWND owner, const std::string& name)
{
    std::string message;
    switch (PingHost(name, message)) {
    case kPingNoLibrary:
    case kPingHostNotFound:
        ui::ShowMessageBox(owner, message, MB_ICONEXCLAMATION | MB_OK);
        return false;
    case kPingNoReply:
        ui::ShowMessageBox(owner, LoadText(IDS_HOST_NOT_ANSWERING) + " " + name, MB_ICONEXCLAMATION | MB_OK);
        return false;
    default:
        return true;   // a reply, or no memory to wait for one
    }
}

}  // namespace

void MainView::OnRunButton()
{
    RunState& run = GetRunState();
    if (run.RunningCheck != kNoCheck) {
        RequestStop();
        return;
    }
    ui::WaitCursor wait;
    std::string name = TrimWhiteSpace(nameField_.Text());
    if (!name.empty() && !HostAnswers(GetParent(hwnd_), name))
        return;
    if (tab_.CurSel() == kStandardTab) {
        run.TargetComputer = name;
        StartCheck(StandardCheckThread, kStandardCheck);
        return;
    }
    FormIndividual& form = *individualForm_;
    if (form.ClassEntryCount() == 0 || form.SelectedClassCode() == kNoSelectionCode) {
        ui::ShowMessageBox(GetParent(hwnd_), LoadText(IDS_SELECT_CLASS), MB_ICONEXCLAMATION | MB_OK);
        return;
    }
    run.SelectedClassName = form.SelectedClassText();
    form.ClearResults();
    run.TargetComputer = name;
    run.SelectedClassId = form.SelectedClassCode();
    StartCheck(ClassCheckThread, kIndividualCheck);
}

bool MainView::StartCheck(LPTHREAD_START_ROUTINE procedure, int kind)
{
    RunState& run = GetRunState();
    run.ResultView = hwnd_;
    run.WorkerThread = CreateThread(nullptr, 0, procedure, nullptr, 0, nullptr);
    if (!run.WorkerThread) {
        run.RunningCheck = kNoCheck;
        return false;
    }
    run.RunningCheck = kind;
    run.ProgressTimer = SetTimer(hwnd_, kProgressTimerId, kProgressPeriodMs, nullptr);
    run.StopRequested = 0;
    checkTab_ = tab_.CurSel();
    // Disabling the control that has the focus would leave the keyboard with nowhere to
    // go: the Run button (now Stop) keeps it, so that Enter stops the check.
    runButton_.SetFocus();
    EnableCheckControls(false);
    runButton_.SetText(LoadText(IDS_STOP));
    Invalidate();
    ShowStatusText(LoadText(IDS_PREPARING));
    return true;
}

void MainView::RequestStop()
{
    GetRunState().StopRequested = 1;
    runButton_.Enable(false);
}

void MainView::EnableCheckControls(bool enable)
{
    nameField_.Enable(enable);
    tab_.Enable(enable);
    // The form whose tab was selected at Run, also when the user switched tabs since.
    if (checkTab_ == kStandardTab)
        standardForm_->EnableControls(enable);
    else
        individualForm_->EnableControls(enable);
}

void MainView::WaitForWorkerEnd()
{
    RunState& run = GetRunState();
    if (!run.WorkerThread)
        return;
    while (WaitForSingleObject(run.WorkerThread, 0) == WAIT_TIMEOUT) {
        DWORD exitCode = STILL_ACTIVE;
        if (GetExitCodeThread(run.WorkerThread, &exitCode) && exitCode != STILL_ACTIVE)
            break;
    }
    CloseHandle(run.WorkerThread);
    run.WorkerThread = nullptr;
}

void MainView::OnCheckComplete()
{
    RunState& run = GetRunState();
    if (run.RunningCheck == kNoCheck || !run.WorkerThread)
        return;   // no check of ours has ended
    WaitForWorkerEnd();
    runButton_.SetText(LoadText(IDS_RUN));
    const int kind = run.RunningCheck;
    run.RunningCheck = kNoCheck;
    if (run.StopRequested == 1)
        run.StopRequested = 0;
    // The form of the check that ended shows its new results, whichever tab is selected.
    if (kind == kStandardCheck) {
        standardForm_->ShowStandardPage(standardForm_->CurrentPage());
        standardForm_->SetRootText(run.TargetComputer.empty() ? LoadText(IDS_LOCAL_COMPUTER)
                                                              : "[" + run.TargetComputer + "]");
    }
    EnableCheckControls(true);
    runButton_.Enable(true);
    ResultList& list = kind == kStandardCheck ? standardForm_->DisplayList()
                                              : individualForm_->ResultListControl();
    if (kind == kStandardCheck)
        standardForm_->SortByRememberedColumn();
    else
        individualForm_->SortByRememberedColumn();
    if (tab_.CurSel() == checkTab_)
        list.View().SetFocus();
    else
        tab_.SetFocus();
    Invalidate();
    KillTimer(hwnd_, run.ProgressTimer);
    run.ProgressTimer = 0;
    ShowStatusText(LoadText(IDS_READY));
}

void MainView::OnTimer()
{
    int running = GetRunState().RunningCheck;
    if (running == kStandardCheck || running == kIndividualCheck)
        ShowStatusText(GetRunState().StatusText.Get());
}
