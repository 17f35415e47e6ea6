// The window program's check: what the last Run chose, the check running (or last run),
// its worker and the results it fills. The main view owns it; nothing outside shell/
// reaches it.
#pragma once
#include <windows.h>

#include <atomic>
#include <memory>
#include <string>

#include "engine/check_context.h"
#include "engine/check_worker.h"
#include "engine/icmp_probe.h"
#include "individual/class_survey.h"
#include "standard/category_store.h"
#include "standard/standard_survey.h"

enum class CheckKind { None, Standard, Individual };

// Where shown results come from: the computer as typed (empty: this computer) and when
// its check started, as an ISO 8601 local time; no time while no results are shown. A
// check that read nothing names what became of it ("Host not found") instead of a count.
struct ResultsOrigin {
    std::string computer;
    std::string checkedAt;
    std::string failure;
};

struct RunState {
    std::string TargetComputer;      // trimmed computer name of the last Run; empty = local
    std::string SelectedClassName;   // Level 3 text at the last individual Run
    int SelectedClassId = 0;         // class identifier at the last individual Run
    UINT_PTR ProgressTimer = 0;      // progress timer of the main view
    CheckKind RunningCheck = CheckKind::None;
    std::unique_ptr<CheckContext> Check;   // the running or last check: host, stop, progress
    CheckWorker Worker;                    // its thread while it runs
    StandardStores Stores;                 // the standard results the form shows
    // What a running standard check fills. The form adopts it only when the check
    // produced results, so that a check that fails at once keeps the previous ones.
    std::unique_ptr<StandardStores> IncomingStores;
    // The driver's outcome, written by the worker: of the standard or the individual check.
    StandardOutcome StandardResult = StandardOutcome::Done;
    ClassOutcome ClassResult = ClassOutcome::Done;
    // How the worker's ping of a named computer ended (Replied when none was sent).
    PingResult Pinged = PingResult::Replied;
    // The account of the running check, for running it again without the ping.
    Credentials RetryCredentials;
    std::atomic<int> CategoriesRead{0};    // standard categories finished so far
    // The computer and class of the results shown before the running check, brought
    // back when it ends without results of its own.
    ResultsOrigin StandardOrigin;   // of the results in the Standard tab
    ResultsOrigin ClassOrigin;      // of the rows in the individual tab
    std::string CheckStartedAt;     // of the running (or last) check
    std::string ShownComputer;
    std::string ShownClassName;
    int ShownClassId = 0;

    // A stop was asked of the check that is running.
    bool IsStopRequested() const
    {
        return RunningCheck != CheckKind::None && Check && Check->IsStopRequested();
    }
    std::string StatusText() const { return Check ? Check->Progress().Get() : std::string(); }
};
