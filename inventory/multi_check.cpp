// Winsock must come before windows.h.
#include <winsock2.h>

#include "inventory/multi_check.h"

#include <algorithm>
#include <utility>

#include "base/iso_time.h"
#include "base/this_computer.h"
#include "engine/check_worker.h"
#include "engine/icmp_probe.h"
#include "engine/survey_reporter.h"
#include "resources/resource.h"
#include "resources/text.h"

namespace {

// Resolves and pings the check's computer; false with the result when it cannot be checked.
bool Reachable(const CheckContext& check, ComputerSummary& summary)
{
    std::string message;
    const PingResult pinged = PingHost(check, message);
    return ResultOfPing(pinged, check.Host(), message, summary);
}

double SecondsSince(ULONGLONG startMs)
{
    return static_cast<double>(GetTickCount64() - startMs) / 1000.0;
}

}  // namespace

int RunReporter::ShowMessage(const std::string&, UINT flags)
{
    return (flags & MB_TYPEMASK) == MB_YESNO ? IDYES : IDOK;
}

void RunReporter::AddClassRows(std::vector<ClassResultRow> rows)
{
    for (ClassResultRow& row : rows)
        rows_.push_back(std::move(row));
}

bool ResultOfPing(PingResult pinged, const std::string& computer, const std::string& message, ComputerSummary& summary)
{
    switch (pinged) {
    case PingResult::HostNotFound:
        summary.result = ComputerResult::HostNotFound;
        summary.SetMessage(message);
        return false;
    case PingResult::NotResolvedInTime:
        summary.result = ComputerResult::NoAnswer;
        summary.SetMessage(message);
        return false;
    case PingResult::Stopped:
        summary.result = ComputerResult::Stopped;
        return false;
    case PingResult::NoReply:
        summary.result = ComputerResult::NoAnswer;
        summary.SetMessage(TextNaming(IDS_HOST_NOT_ANSWERING, computer, " "));
        return false;
    case PingResult::NoLibrary:
        summary.result = ComputerResult::WmiError;
        summary.SetMessage(message);
        return false;
    default:
        return true;
    }
}

ComputerResult ResultOfFailedCheck(const CheckContext& check, ComputerSummary& summary)
{
    const CheckProblemNote problem = check.Problem();
    summary.code = problem.code;
    summary.SetMessage(problem.message);
    switch (problem.kind) {
    case CheckProblem::NoAnswer: return ComputerResult::NoAnswer;
    case CheckProblem::AccessDenied: return ComputerResult::AccessDenied;
    default: return ComputerResult::WmiError;
    }
}

ComputerResult ResultOfSurvey(const CheckContext& check, bool failed, bool incomplete, ComputerSummary& summary)
{
    if (failed)
        return ResultOfFailedCheck(check, summary);
    if (check.IsStopRequested())
        return ComputerResult::Stopped;
    if (!incomplete)
        return ComputerResult::Ok;
    const CheckProblemNote problem = check.Problem();
    summary.code = problem.code;
    summary.SetMessage(problem.message);
    return ComputerResult::Incomplete;
}

MultiCheck::~MultiCheck()
{
    RequestStop();
    Wait();
}

bool MultiCheck::Start(std::vector<std::string> computers, MultiCheckSettings settings, ComputerJob job,
                       std::function<void(const ComputerSummary&, size_t)> onFinished)
{
    if (!workers_.empty())
        return false;
    computers_ = std::move(computers);
    settings_ = std::move(settings);
    job_ = std::move(job);
    onFinished_ = std::move(onFinished);
    total_ = computers_.size();
    next_ = 0;
    finished_ = 0;
    stopRequested_ = false;
    summaries_.assign(total_, ComputerSummary{});
    for (size_t index = 0; index < total_; ++index)
        summaries_[index].computer = computers_[index];
    newlyFinished_.clear();
    ownNames_ = NamesOfThisComputer();
    if (settings_.ping && !settings_.connector.icmp)
        settings_.connector.icmp = LoadIcmpLibrary();   // once for every check of the run
    const int threads = std::clamp(settings_.parallel, 1, kMaxParallelChecks);
    for (int count = 0; count < threads && static_cast<size_t>(count) < total_; ++count) {
        try {
            workers_.emplace_back([this] { Work(); });
        } catch (...) {
            break;   // fewer threads than asked for still do the work
        }
    }
    if (workers_.empty() && total_ > 0) {
        RequestStop();
        for (size_t index = 0; index < total_; ++index)
            Finish(index, summaries_[index]);
        return false;
    }
    return true;
}

bool MultiCheck::IsThisComputer(const std::string& name) const
{
    return NamesThisComputer(name, ownNames_);
}

void MultiCheck::Work()
{
    for (;;) {
        const size_t index = next_.fetch_add(1);
        if (index >= total_)
            return;
        if (IsStopRequested()) {
            ComputerSummary stopped;
            stopped.computer = computers_[index];
            Finish(index, std::move(stopped));
            continue;
        }
        try {
            CheckComputer(index);
        } catch (...) {
            // No memory left for this computer's check: it failed, and the run goes on.
            ComputerSummary failed;
            failed.computer = computers_[index];
            failed.result = ComputerResult::WmiError;
            failed.code = E_OUTOFMEMORY;
            Finish(index, std::move(failed));
        }
    }
}

void MultiCheck::CheckComputer(size_t index)
{
    ComputerSummary summary;
    summary.computer = computers_[index];
    RunReporter reporter;
    CheckContext check(summary.computer, &reporter, settings_.connector);
    check.SetCredentials(settings_.credentials);
    check.SetLimits(settings_.limits);
    if (!Register(&check)) {
        Finish(index, std::move(summary));   // stopped before it started
        return;
    }
    struct Registration {
        MultiCheck& run;
        CheckContext* check;
        ~Registration() { run.Unregister(check); }
    } registration{*this, &check};
    std::unique_lock<std::mutex> turn(localChecks_, std::defer_lock);
    if (IsThisComputer(summary.computer))
        turn.lock();
    summary.checkedAt = IsoLocalTimeNow();
    const ULONGLONG start = GetTickCount64();
    if (!settings_.ping || summary.computer.empty() || Reachable(check, summary)) {
        ComputerResult result = ComputerResult::WmiError;
        if (!RunCheckOnThisThread(check, [&](CheckContext& running) { result = job_(running, summary); }))
            result = ResultOfFailedCheck(check, summary);
        summary.result = check.IsStopRequested() ? ComputerResult::Stopped : result;
    }
    summary.seconds = SecondsSince(start);
    if (turn.owns_lock())
        turn.unlock();
    Finish(index, std::move(summary));
}

bool MultiCheck::Register(CheckContext* check)
{
    std::lock_guard<std::mutex> hold(lock_);
    if (IsStopRequested())
        return false;
    running_.push_back(check);
    return true;
}

void MultiCheck::Unregister(CheckContext* check)
{
    std::lock_guard<std::mutex> hold(lock_);
    running_.erase(std::remove(running_.begin(), running_.end(), check), running_.end());
}

void MultiCheck::Finish(size_t index, ComputerSummary summary)
{
    std::lock_guard<std::mutex> hold(lock_);
    summaries_[index] = std::move(summary);
    const size_t finished = ++finished_;
    if (onFinished_)
        onFinished_(summaries_[index], finished);
    else
        newlyFinished_.emplace_back(index, summaries_[index]);
}

void MultiCheck::RequestStop()
{
    std::lock_guard<std::mutex> hold(lock_);
    stopRequested_ = true;
    for (CheckContext* check : running_)
        check->RequestStop();
}

void MultiCheck::Wait()
{
    for (std::thread& worker : workers_)
        if (worker.joinable())
            worker.join();
    workers_.clear();
}

std::vector<std::pair<size_t, ComputerSummary>> MultiCheck::TakeFinished()
{
    std::lock_guard<std::mutex> hold(lock_);
    return std::exchange(newlyFinished_, {});
}

std::vector<ComputerSummary> MultiCheck::Summaries() const
{
    std::lock_guard<std::mutex> hold(lock_);
    return summaries_;
}
