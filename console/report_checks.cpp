// Winsock must come before windows.h.
#include <winsock2.h>

#include "console/report_checks.h"

#include <cstdio>

#include "console/console_reporter.h"
#include "console/report_output.h"
#include "engine/icmp_probe.h"
#include "engine/wmi_session.h"
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

// COM of the calling thread for one check; uninitialised on every path.
class CheckComScope {
public:
    CheckComScope()
    {
        std::string errorText;
        ready_ = InitializeComForCheck(errorText) == 0;
        if (!ready_)
            ReportMessage(errorText, MB_ICONHAND | MB_OK);
    }
    CheckComScope(const CheckComScope&) = delete;
    CheckComScope& operator=(const CheckComScope&) = delete;
    ~CheckComScope() { CoUninitialize(); }
    bool Ready() const { return ready_; }

private:
    bool ready_;
};

// Resolves and pings a named computer as the Run command does; false after the message.
bool ProbeComputer(const std::string& computer)
{
    if (computer.empty())
        return true;
    WinsockScope winsock;
    LoadIcmpLibrary();
    std::string message;
    switch (PingHost(computer, message)) {
    case kPingNoLibrary:
    case kPingHostNotFound:
        ReportMessage(message, MB_ICONEXCLAMATION);
        return false;
    case kPingNoReply:
        ReportMessage(LoadText(IDS_HOST_NOT_ANSWERING) + " " + computer, MB_ICONEXCLAMATION);
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

}  // namespace

int RunStandardReport(const ReportOptions& options)
{
    ErrorStream errors;
    ConsoleReporter reporter(errors, {});
    ReporterScope scope(&reporter);
    if (!ProbeComputer(options.computer))
        return kExitHostUnreachable;
    CreateStandardStores();
    int outcome = kStandardSurveyFailed;
    {
        CheckComScope com;
        if (!com.Ready())
            return kExitWmiFailure;
        ProgressPrinter progress(errors, !options.quiet);
        outcome = RunStandardSurvey(options.computer);
    }
    if (outcome != kStandardSurveyDone)
        return kExitWmiFailure;
    return WriteResult(options, [&](TextSink& sink, const std::string& path) {
        return WriteStandardReport(options.computer, sink, path);
    });
}

int RunClassReport(const ReportOptions& options)
{
    ErrorStream errors;
    ConsoleReporter reporter(errors, ClassDisplayText(options.classId));
    ReporterScope scope(&reporter);
    if (!ProbeComputer(options.computer))
        return kExitHostUnreachable;
    int outcome = kClassSurveyFailed;
    {
        CheckComScope com;
        if (!com.Ready())
            return kExitWmiFailure;
        ProgressPrinter progress(errors, !options.quiet);
        outcome = RunClassSurvey(options.computer, options.classId);
    }
    int exitCode = ClassOutcomeExitCode(outcome, reporter);
    if (exitCode != kExitSuccess)
        return exitCode;
    return WriteResult(options, [&](TextSink& sink, const std::string& path) {
        return WriteCsv(reporter.ClassRows(), sink, path,
                        options.rawCsv ? CsvCells::Raw : CsvCells::Neutralised);
    });
}
