#include "console/mirelrep.h"

#include "console/catalog_listing.h"
#include "console/console_output.h"
#include "console/console_reporter.h"
#include "console/ctrl_c_stop.h"
#include "console/found_report.h"
#include "console/found_store.h"
#include "console/many_report.h"
#include "console/report_checks.h"
#include "console/report_output.h"
#include "console/report_command.h"
#include "console/store_commands.h"
#include "base/text_util.h"
#include "resources/resource.h"
#include "resources/text.h"

namespace {

std::string AsText(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\n";
    return text;
}

// Listing, explaining and the help write only their result; their file errors still
// need a reporter to reach standard error.
ExitCode WriteAnswer(const ReportOptions& options, const std::string& text)
{
    ErrorStream errors(options.utf8);
    ConsoleReporter reporter(errors, {});
    return WriteResultText(options, text, reporter);
}

// A check can take minutes: a result file that cannot be created is reported at once,
// before the check starts.
ExitCode RunCheck(const ReportOptions& options, const WmiConnector& connector,
                  ExitCode (*run)(const ReportOptions&, const WmiConnector&))
{
    {
        ErrorStream errors(options.utf8);
        ConsoleReporter reporter(errors, {});
        if (!ResultTargetCanBeWritten(options, reporter))
            return ExitCode::FileError;
    }
    return run(options, connector);
}

ExitCode RunReportCommand(const std::vector<std::string>& arguments, const WmiConnector& connector)
{
    ReportOptions options;
    std::string reason;
    if (!ParseReportOptions(arguments, options, reason)) {
        WriteErrorLine(reason, AsksForUtf8(arguments));
        WriteErrorLine(LoadText(IDS_REPORT_USAGE_HINT), AsksForUtf8(arguments));
        return ExitCode::Usage;
    }
    if (options.HasFoundSource())
        return RunFoundReport(options, connector);
    if (options.many && options.freshHours > 0) {
        ErrorStream errors(options.utf8);
        ConsoleReporter reporter(errors, {});
        const ExitCode left = LeaveOutFresh(options, reporter, options.quiet);
        if (left != ExitCode::Success)
            return left;
        if (options.computers.empty()) {
            errors.Message(FillIn(LoadText(IDS_REPORT_ALL_FRESH), std::to_string(options.freshHours)));
            return ExitCode::Success;
        }
    }
    if (options.many)
        return RunManyReport(options, connector);
    switch (options.command) {
    case ReportCommand::Help:
        return WriteAnswer(options, LoadText(IDS_REPORT_USAGE) + "\n" + LoadText(IDS_REPORT_USAGE_SOURCES) + "\n");
    case ReportCommand::ListClasses:
        return WriteAnswer(options, AsText(ClassCatalogLines()));
    case ReportCommand::ListCategories:
        return WriteAnswer(options, AsText(StandardCategoryLines()));
    case ReportCommand::Explain:
        return WriteAnswer(options, ExplainValue(options.explain) + "\n");
    case ReportCommand::ClassCheck:
        return RunCheck(options, connector, RunClassReport);
    case ReportCommand::History:
    case ReportCommand::Show:
    case ReportCommand::Compare:
    case ReportCommand::Import:
    case ReportCommand::Prune:
    case ReportCommand::CopyTo:
    case ReportCommand::Delete:
    case ReportCommand::Query:
    case ReportCommand::Question:
    case ReportCommand::Questions:
    case ReportCommand::Verify:
        return RunStoreCommand(options);
    case ReportCommand::Report:
        return RunReportCommand(options);
    case ReportCommand::StandardCheck:
        break;
    }
    return RunCheck(options, connector, RunStandardReport);
}

}  // namespace

ExitCode RunMirelReport(const std::vector<std::string>& arguments, const WmiConnector& connector)
{
    // Ctrl+C at any moment: whatever the command got done, the run was interrupted, and a
    // script must never take it for a success or for a plain failure.
    CtrlCRun interruptible;
    const ExitCode exitCode = RunReportCommand(arguments, connector);
    if (!CtrlCRun::Pressed())
        return exitCode;
    WriteErrorLine(LoadText(IDS_REPORT_INTERRUPTED), AsksForUtf8(arguments));
    return ExitCode::Incomplete;
}
