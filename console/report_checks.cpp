// Winsock must come before windows.h.
#include <winsock2.h>

#include "console/report_checks.h"

#include <cstdio>

#include "console/console_reporter.h"
#include "console/report_output.h"
#include "engine/icmp_probe.h"
#include "engine/check_worker.h"
#include "individual/class_catalog.h"
#include "individual/class_survey.h"
#include "listtools/csv_export.h"
#include "resources/resource.h"
#include "resources/text.h"
#include "standard/category_store.h"
#include "standard/standard_survey.h"
#include "standard/text_export.h"

namespace {

class WinsockScope {
public:
    WinsockScope()
    {
        WSADATA data;
        started_ = WSAStartup(MAKEWORD(2, 0), &data) == 0;
    }
    WinsockScope(const WinsockScope&) = delete;
    WinsockScope& operator=(const WinsockScope&) = delete;
    ~WinsockScope()
    {
        if (started_)
            WSACleanup();
    }

private:
    bool started_;
};

// Resolves and pings a named computer as the Run command does; false after the message.
bool ProbeComputer(const std::string& computer, MessageSink& messages)
{
    if (computer.empty())
        return true;
    WinsockScope winsock;
    LoadIcmpLibrary();
    std::string message;
    switch (PingHost(computer, message)) {
    case kPingNoLibrary:
    case kPingHostNotFound:
        messages.ShowMessage(message, MB_ICONEXCLAMATION);
        return false;
    case kPingNoReply:
        messages.ShowMessage(LoadText(IDS_HOST_NOT_ANSWERING) + " " + computer, MB_ICONEXCLAMATION);
        return false;
    default:
        return true;
    }
}

int ClassOutcomeExitCode(int outcome, const ConsoleReporter& reporter)
{
    if (outcome == kClassSurveyFailed)
        return kExitWmiFailure;
    if (outcome != kClassSurveyDone || reporter.ClassRows().RowCount() == 0)
        return kExitNoData;
    return kExitSuccess;
}

// Runs `job` as a check of the options' computer on this thread, with progress lines
// unless /q; false when COM could not be prepared (the message was written).
bool RunConsoleCheck(const ReportOptions& options, const WmiConnector& connector, ErrorStream& errors,
                     ConsoleReporter& reporter, const CheckJob& job)
{
    CheckContext check(options.computer, &reporter, connector);
    errors.Follow(&check.Progress());
    ProgressPrinter progress(errors, check.Progress(), !options.quiet);
    bool ran = RunCheckOnThisThread(check, job);
    errors.Follow(nullptr);
    return ran;
}

}  // namespace

int RunStandardReport(const ReportOptions& options, const WmiConnector& connector)
{
    ErrorStream errors;
    ConsoleReporter reporter(errors, {});
    if (!ProbeComputer(options.computer, reporter))
        return kExitHostUnreachable;
    StandardStores stores;
    int outcome = kStandardSurveyFailed;
    if (!RunConsoleCheck(options, connector, errors, reporter,
                         [&](CheckContext& check) { outcome = RunStandardSurvey(check, stores); }))
        return kExitWmiFailure;
    if (outcome != kStandardSurveyDone)
        return kExitWmiFailure;
    return WriteResult(options, [&](TextSink& sink, const std::string& path) {
        return WriteStandardReport(stores, options.computer, sink, path, reporter);
    }, reporter);
}

int RunClassReport(const ReportOptions& options, const WmiConnector& connector)
{
    ErrorStream errors;
    ConsoleReporter reporter(errors, ClassDisplayText(options.classId));
    if (!ProbeComputer(options.computer, reporter))
        return kExitHostUnreachable;
    int outcome = kClassSurveyFailed;
    if (!RunConsoleCheck(options, connector, errors, reporter, [&](CheckContext& check) {
            outcome = RunClassSurvey(check, options.classId);
        }))
        return kExitWmiFailure;
    int exitCode = ClassOutcomeExitCode(outcome, reporter);
    if (exitCode != kExitSuccess)
        return exitCode;
    return WriteResult(options, [&](TextSink& sink, const std::string& path) {
        return WriteCsv(reporter.ClassRows(), sink, path, reporter,
                        options.rawCsv ? CsvCells::Raw : CsvCells::Neutralised);
    }, reporter);
}
