// Winsock must come before windows.h.
#include <winsock2.h>

#include <atomic>

#include "console/report_checks.h"

#include <cstdio>

#include "base/narrow.h"
#include "base/text_util.h"
#include "console/console_output.h"
#include "console/console_reporter.h"
#include "console/ctrl_c_stop.h"
#include "console/password_prompt.h"
#include "console/report_output.h"
#include "console/store_recording.h"
#include "engine/check_worker.h"
#include "engine/icmp_probe.h"
#include "individual/class_catalog.h"
#include "individual/class_survey.h"
#include "inventory/class_table.h"
#include "inventory/computer_summary.h"
#include "inventory/json_export.h"
#include "inventory/multi_check.h"
#include "listtools/csv_export.h"
#include "resources/resource.h"
#include "resources/text.h"
#include "standard/category_store.h"
#include "standard/standard_survey.h"
#include "standard/text_export.h"
#include "storetools/check_capture.h"

namespace {

CheckLimits LimitsOf(const ReportOptions& options)
{
    CheckLimits limits;
    if (options.timeoutSeconds > 0)
        limits.queryTimeLimitMs = options.timeoutSeconds * 1000;
    return limits;
}

// Resolves and pings a named computer as the Run command does (unless /noping), Ctrl+C
// leaving the wait; Success to go on, otherwise the run's end (after the message, with the
// result and message the store keeps of the check).
ExitCode ProbeComputer(const ReportOptions& options, const WmiConnector& connector, MessageSink& messages,
                       StoredCheckHeader& header)
{
    const std::string& computer = options.computer;
    if (computer.empty() || options.noPing)
        return ExitCode::Success;
    CheckContext probe(computer, nullptr, connector);
    CtrlCStops ctrlC(probe);
    probe.SetLimits(LimitsOf(options));
    std::string message;
    switch (PingHost(probe, message)) {
    case PingResult::NoLibrary:
    case PingResult::HostNotFound:
    case PingResult::NotResolvedInTime:
        messages.ShowMessage(message, MB_ICONEXCLAMATION);
        header.result = ComputerResultKey(ComputerResult::HostNotFound);
        header.message = message;
        return ExitCode::HostUnreachable;
    case PingResult::NoReply:
        message = TextNaming(IDS_HOST_NOT_ANSWERING, computer, " ");
        messages.ShowMessage(message + "\n" + LoadText(IDS_REPORT_TRY_NOPING), MB_ICONEXCLAMATION);
        header.result = ComputerResultKey(ComputerResult::NoAnswer);
        header.message = message;
        return ExitCode::HostUnreachable;
    case PingResult::Stopped:
        return ExitCode::Incomplete;   // nothing checked, nothing written
    default:
        return ExitCode::Success;
    }
}

ExitCode ClassOutcomeExitCode(ClassOutcome outcome, int rowCount)
{
    if (outcome == ClassOutcome::Failed)
        return ExitCode::WmiFailure;
    if (outcome == ClassOutcome::Incomplete && rowCount > 0)
        return ExitCode::Incomplete;
    if (outcome == ClassOutcome::Incomplete)
        return ExitCode::WmiFailure;
    if (outcome != ClassOutcome::Done || rowCount == 0)
        return ExitCode::NoData;
    return ExitCode::Success;
}

// The written result's exit code, or the incomplete one when the result was written (a
// partial result outweighs characters written as "?").
ExitCode UnlessIncomplete(ExitCode writeResult, bool incomplete)
{
    const bool written = writeResult == ExitCode::Success || writeResult == ExitCode::CharactersLost;
    return written && incomplete ? ExitCode::Incomplete : writeResult;
}

// Runs `job` as a check of the options' computer, as `credentials`, on this thread, with
// progress lines unless /q; Ctrl+C stops it (`stopped` set). False when COM could not be
// prepared (the message was written).
bool RunConsoleCheck(const ReportOptions& options, const WmiConnector& connector,
                     Credentials credentials, ErrorStream& errors, ConsoleReporter& reporter,
                     const CheckJob& job, bool& stopped)
{
    CheckContext check(options.computer, &reporter, connector);
    CtrlCStops ctrlC(check);
    check.SetCredentials(std::move(credentials));
    check.SetLimits(LimitsOf(options));
    errors.Follow(&check.Progress());
    ProgressPrinter progress(errors, check.Progress(), !options.quiet);
    bool ran = RunCheckOnThisThread(check, job);
    errors.Follow(nullptr);
    stopped = check.IsStopRequested();
    return ran;
}

}  // namespace

bool AskForAccount(const ReportOptions& options, Credentials& credentials, MessageSink& messages)
{
    if (options.user.empty())
        return true;
    credentials.user = ToWide(options.user);
    // The prompt waits for a line that may never come: Ctrl+C there ends the run at once,
    // before anything was checked or written.
    const bool utf8 = options.utf8;
    CtrlCStops ctrlC([utf8] {
        WriteErrorLine(LoadText(IDS_REPORT_INTERRUPTED), utf8);
        ExitProcess(static_cast<UINT>(ExitCode::Incomplete));
    });
    if (ReadPassword(FillIn(LoadText(IDS_REPORT_PASSWORD_PROMPT), options.user), options.utf8,
                     credentials.password))
        return true;
    messages.ShowMessage(FillIn(LoadText(IDS_REPORT_NO_PASSWORD), options.user), MB_ICONEXCLAMATION);
    return false;
}

ExitCode RunStandardReport(const ReportOptions& options, const WmiConnector& connector)
{
    ErrorStream errors(options.utf8);
    ConsoleReporter reporter(errors, {});
    ConsoleRecording recording;
    if (!recording.Open(options, reporter))
        return recording.OpenFailureExitCode();
    const CheckTime checkedAt = CheckTime::Now();
    StoredCheck stored = NewStoredCheck(options, checkedAt, kStandardKind);
    if (const ExitCode probed = ProbeComputer(options, connector, reporter, stored.header);
        probed == ExitCode::Incomplete)
        return probed;
    else if (probed != ExitCode::Success)
        return recording.Finish(stored, probed, options, reporter);
    Credentials credentials;
    if (!AskForAccount(options, credentials, reporter))
        return ExitCode::Usage;
    StandardStores stores;
    stores.KeepRawValues(options.json || recording.Active());
    StandardOutcome outcome = StandardOutcome::Failed;
    bool stopped = false;
    std::atomic<int> categoriesRead{0};
    ComputerSummary summary;
    ComputerResult result = ComputerResult::WmiError;
    const ULONGLONG start = GetTickCount64();
    const bool ran = RunConsoleCheck(options, connector, std::move(credentials), errors, reporter,
                                     [&](CheckContext& check) {
                                         outcome = RunStandardSurvey(check, stores, &categoriesRead);
                                         result = ResultOfSurvey(check, outcome == StandardOutcome::Failed,
                                                                 outcome == StandardOutcome::Incomplete, summary);
                                     },
                                     stopped);
    stored.header.seconds = static_cast<double>(GetTickCount64() - start) / 1000.0;
    const bool incomplete = outcome == StandardOutcome::Incomplete || stopped;
    NoteCheckResult(stored.header, ran ? result : ComputerResult::WmiError, summary,
               ran && !incomplete && outcome == StandardOutcome::Done);
    CaptureStandardStores(stores, categoriesRead.load(), outcome == StandardOutcome::Failed, stored);
    if (!ran || (outcome != StandardOutcome::Done && outcome != StandardOutcome::Incomplete))
        return recording.Finish(stored, ExitCode::WmiFailure, options, reporter);
    if (stopped && !stores.AnyCategoryRead())
        return ExitCode::Incomplete;   // stopped before the first category: a result file keeps what it held
    ExitCode exitCode = ExitCode::Success;
    if (options.json) {
        const CheckHeader header{options.computer, checkedAt.local, !incomplete, stored.header.computer,
                                 stored.header.domain};
        exitCode = UnlessIncomplete(WriteResultText(options, StandardJson(header, stores), reporter), incomplete);
    } else {
        exitCode = UnlessIncomplete(WriteResult(options, [&](TextSink& sink, const std::string& path) {
            return WriteStandardReport(stores, options.computer, sink, path, reporter);
        }, reporter), incomplete);
    }
    return recording.Finish(stored, exitCode, options, reporter);
}

ExitCode RunClassReport(const ReportOptions& options, const WmiConnector& connector)
{
    ErrorStream errors(options.utf8);
    ConsoleReporter reporter(errors, ClassDisplayText(options.classId));
    ConsoleRecording recording;
    if (!recording.Open(options, reporter))
        return recording.OpenFailureExitCode();
    const CheckTime checkedAt = CheckTime::Now();
    const ClassCatalogEntry* entry = FindClass(options.classId);
    StoredCheck stored = NewStoredCheck(options, checkedAt, entry ? entry->className : "");
    if (const ExitCode probed = ProbeComputer(options, connector, reporter, stored.header);
        probed == ExitCode::Incomplete)
        return probed;
    else if (probed != ExitCode::Success)
        return recording.Finish(stored, probed, options, reporter);
    Credentials credentials;
    if (!AskForAccount(options, credentials, reporter))
        return ExitCode::Usage;
    ClassOutcome outcome = ClassOutcome::Failed;
    bool stopped = false;
    CategoryStore table;         // the rows as a table, for JSON
    ClassQueryEntries entries;   // the values with their raw values, for the store
    ComputerSummary summary;
    ComputerResult result = ComputerResult::WmiError;
    const ULONGLONG start = GetTickCount64();
    const bool ran = RunConsoleCheck(options, connector, std::move(credentials), errors, reporter,
                                     [&](CheckContext& check) {
                                         outcome = options.json ? RunClassTableSurvey(check, options.classId, table)
                                                                : RunClassSurvey(check, options.classId,
                                                                                 recording.Active() ? &entries : nullptr);
                                         NoteCheckedComputer(check, stored.header);
                                         result = ResultOfSurvey(check, outcome == ClassOutcome::Failed,
                                                                 outcome == ClassOutcome::Incomplete, summary);
                                     },
                                     stopped);
    stored.header.seconds = static_cast<double>(GetTickCount64() - start) / 1000.0;
    ExitCode exitCode = ran ? ClassOutcomeExitCode(outcome, options.json ? table.RowCount()
                                                                          : reporter.ClassRows().RowCount())
                            : ExitCode::WmiFailure;
    if (stopped && exitCode == ExitCode::Success)
        exitCode = ExitCode::Incomplete;
    const bool read = exitCode == ExitCode::Success || exitCode == ExitCode::Incomplete;
    if (ran && outcome == ClassOutcome::NoData)
        result = ComputerResult::NoData;
    NoteCheckResult(stored.header, ran ? result : ComputerResult::WmiError, summary, exitCode == ExitCode::Success);
    const PartState state = exitCode == ExitCode::Success ? PartState::Read
                            : read                        ? PartState::Incomplete
                                                          : PartState::NotRead;
    if (options.json)
        CaptureClassTable(options.classId, table, state, stored);
    else if (outcome != ClassOutcome::Failed)
        CaptureClassEntries(options.classId, entries, state, stored);
    if (!read)
        return recording.Finish(stored, exitCode, options, reporter);
    if (options.json) {
        const CheckHeader header{options.computer, checkedAt.local, exitCode == ExitCode::Success,
                                 stored.header.computer, stored.header.domain};
        exitCode = UnlessIncomplete(WriteResultText(options, ClassJson(header, options.classId, table), reporter),
                                    exitCode == ExitCode::Incomplete);
    } else {
        exitCode = UnlessIncomplete(WriteResult(options, [&](TextSink& sink, const std::string& path) {
            return WriteCsv(reporter.ClassRows(), sink, path, reporter,
                            options.rawCsv ? CsvCells::Raw : CsvCells::Neutralised);
        }, reporter), exitCode == ExitCode::Incomplete);
    }
    return recording.Finish(stored, exitCode, options, reporter);
}
