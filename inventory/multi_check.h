// Checks of many computers at once: a pool of worker threads takes the computers of a
// list in order, each check with its own context (stop flag, connection, progress) and
// COM prepared on its thread, and gives one summary per computer. A stop ends the
// running checks through their stop flags and starts no more; the computers not checked
// are summarised as stopped.
#pragma once
#include <windows.h>

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "engine/check_context.h"
#include "engine/icmp_probe.h"
#include "engine/survey_reporter.h"
#include "inventory/computer_summary.h"

inline constexpr int kDefaultParallelChecks = 8;
inline constexpr int kMaxParallelChecks = 64;

// What the checks of a run report to: nothing is shown (a failure reaches the summary
// through the problem its check notes; a question is answered yes), and an individual
// check's rows are kept for the job.
class RunReporter : public SurveyReporter {
public:
    int ShowMessage(const std::string& text, UINT flags) override;
    void AddClassRows(std::vector<ClassResultRow> rows) override;
    std::vector<ClassResultRow>& ClassRows() { return rows_; }

private:
    std::vector<ClassResultRow> rows_;
};

// The reporter of a check of a run.
inline RunReporter& ReporterOf(CheckContext& check)
{
    return static_cast<RunReporter&>(*check.Reporter());
}

// What a job does with one computer's check once COM is ready: runs its survey, fills the
// summary's inventory fields, writes or keeps the results, and returns the result (OK,
// incomplete, no data or file error; ResultOfFailedCheck for a failure). Called on the
// workers' threads, several at once.
using ComputerJob = std::function<ComputerResult(CheckContext& check, ComputerSummary& summary)>;

// How the resolution and ping of `computer` ended, as every check records it: true when
// the check goes on; otherwise false with the result (host not found, no answer, stopped,
// WMI error) and the one-line message in `summary`.
bool ResultOfPing(PingResult pinged, const std::string& computer, const std::string& message, ComputerSummary& summary);

// The result of a check whose survey failed, with its code and message, from the problem
// the check noted.
ComputerResult ResultOfFailedCheck(const CheckContext& check, ComputerSummary& summary);

// The result of a survey that ran: failed (as above), stopped, incomplete (with the code
// and message of the reading that broke off) or OK.
ComputerResult ResultOfSurvey(const CheckContext& check, bool failed, bool incomplete, ComputerSummary& summary);

struct MultiCheckSettings {
    int parallel = kDefaultParallelChecks;   // 1..kMaxParallelChecks
    bool ping = true;                        // resolve and ping a named computer first
    CheckLimits limits;
    Credentials credentials;
    WmiConnector connector;
};

class MultiCheck {
public:
    MultiCheck() = default;
    MultiCheck(const MultiCheck&) = delete;
    MultiCheck& operator=(const MultiCheck&) = delete;
    // Stops what still runs and waits for it.
    ~MultiCheck();

    // Starts the workers; false when none could be started (or a run is still going).
    // `onFinished` (optional) is told of each computer when its summary is final: one call
    // at a time, on a worker's thread, with the number finished so far.
    bool Start(std::vector<std::string> computers, MultiCheckSettings settings, ComputerJob job,
               std::function<void(const ComputerSummary&, size_t finished)> onFinished = {});

    // Asks every running check to stop and starts no more. Any thread may call it, also a
    // console's control handler.
    void RequestStop();
    bool IsStopRequested() const { return stopRequested_.load(); }

    // Waits until every worker has ended.
    void Wait();
    bool IsDone() const { return finished_.load() == total_; }
    size_t Total() const { return total_; }
    size_t FinishedCount() const { return finished_.load(); }

    // The summaries of the computers finished since the last call, in the order they
    // finished, with their index in the list (kept only for a run without onFinished).
    std::vector<std::pair<size_t, ComputerSummary>> TakeFinished();
    // Every summary in list order (after Wait: the final ones).
    std::vector<ComputerSummary> Summaries() const;

private:
    void Work();
    void CheckComputer(size_t index);
    void Finish(size_t index, ComputerSummary summary);
    bool Register(CheckContext* check);
    bool IsThisComputer(const std::string& name) const;
    void Unregister(CheckContext* check);

    std::vector<std::string> computers_;
    MultiCheckSettings settings_;
    ComputerJob job_;
    std::function<void(const ComputerSummary&, size_t)> onFinished_;
    size_t total_ = 0;
    std::atomic<size_t> next_{0};
    std::atomic<size_t> finished_{0};
    std::atomic<bool> stopRequested_{false};
    mutable std::mutex lock_;                 // guards what follows
    std::vector<ComputerSummary> summaries_;
    std::vector<std::pair<size_t, ComputerSummary>> newlyFinished_;
    std::vector<CheckContext*> running_;
    std::vector<std::thread> workers_;
    // Checks of this computer take turns: Wine's WMI provider runs inside the process and
    // hangs when two threads query one class at once (Windows' runs in its own service).
    std::mutex localChecks_;
    std::vector<std::string> ownNames_;
};
