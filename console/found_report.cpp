#include "console/found_report.h"

#include "base/text_util.h"
#include "console/console_output.h"
#include "console/console_reporter.h"
#include "console/ctrl_c_stop.h"
#include "console/found_store.h"
#include "console/many_report.h"
#include "console/report_checks.h"
#include "console/report_output.h"
#include "discovery/address_sweep.h"
#include "discovery/directory_reader.h"
#include "inventory/computer_list.h"
#include "listtools/csv_export.h"
#include "resources/resource.h"
#include "resources/text.h"

namespace {

// A run may hold what a /16 range holds besides the names given.
constexpr size_t kMaxFoundComputers = kMaxRangeAddresses + kMaxComputers;

class FoundReport {
public:
    FoundReport(const ReportOptions& options, const WmiConnector& connector)
        : options_(options), connector_(connector), errors_(options.utf8), messages_(errors_, {})
    {
    }
    ExitCode Run();

private:
    ExitCode ReadDirectorySource();
    ExitCode SweepRange();
    ExitCode ListNames();
    CheckLimits Limits() const
    {
        CheckLimits limits;
        if (options_.timeoutSeconds > 0)
            limits.queryTimeLimitMs = options_.timeoutSeconds * 1000;
        return limits;
    }

    ReportOptions options_;
    const WmiConnector& connector_;
    ErrorStream errors_;
    ConsoleReporter messages_;
    std::vector<FoundComputer> found_;
    size_t refused_ = 0;
};

ExitCode FoundReport::ReadDirectorySource()
{
    CheckContext control;
    control.SetLimits(Limits());
    DirectoryRead read;
    DirectoryOutcome outcome;
    {
        CtrlCStops ctrlC(control);
        outcome = ReadDirectory(control, options_.directorySource, read);
    }
    for (const std::string& notice : read.notices)
        errors_.Message(notice);
    refused_ += read.refused;
    switch (outcome) {
    case DirectoryOutcome::Read:
        break;
    case DirectoryOutcome::Stopped:
        return ExitCode::Incomplete;
    case DirectoryOutcome::TimedOut:
        messages_.ShowMessage(read.message, MB_ICONEXCLAMATION);
        return ExitCode::HostUnreachable;
    case DirectoryOutcome::Failed:
        messages_.ShowMessage(read.message, MB_ICONEXCLAMATION);
        return read.unreachable ? ExitCode::HostUnreachable : ExitCode::WmiFailure;
    }
    if (!options_.quiet)
        errors_.Message(FillIn(LoadText(IDS_DIRECTORY_FOUND), std::to_string(read.computers.size()), read.serverText));
    for (FoundComputer& computer : read.computers)
        found_.push_back(std::move(computer));
    return ExitCode::Success;
}

ExitCode FoundReport::SweepRange()
{
    const AddressRange& range = options_.addressRange;
    if (options_.noPing) {
        for (uint32_t index = 0; index < range.Count(); ++index)
            found_.push_back(FoundComputer{AddressText(range.first + index)});
        return ExitCode::Success;
    }
    CheckContext control;
    SweepSettings settings;
    if (options_.timeoutSeconds > 0)
        settings.perAddressMs = options_.timeoutSeconds * 1000;
    settings.icmp = connector_.icmp;
    if (!options_.quiet)
        errors_.Message(FillIn(LoadText(IDS_RANGE_SWEEPING), std::to_string(range.Count()),
                               std::to_string(std::min<uint32_t>(settings.atATime, range.Count()))));
    std::vector<std::string> answered;
    SweepOutcome outcome;
    {
        CtrlCStops ctrlC(control);
        outcome = ::SweepRange(control, range, settings, answered);
    }
    if (outcome == SweepOutcome::NoLibrary) {
        messages_.ShowMessage(LoadText(IDS_ICMP_NOT_LOADED), MB_ICONEXCLAMATION);
        return ExitCode::HostUnreachable;
    }
    if (outcome == SweepOutcome::Stopped)
        return ExitCode::Incomplete;
    if (!options_.quiet)
        errors_.Message(FillIn(LoadText(IDS_RANGE_SWEPT), std::to_string(answered.size()),
                               std::to_string(range.Count())));
    for (std::string& address : answered)
        found_.push_back(FoundComputer{std::move(address)});
    return ExitCode::Success;
}

ExitCode FoundReport::ListNames()
{
    const ResultModel model = FoundComputersModel(found_);
    return WriteResult(options_,
                       [&](TextSink& sink, const std::string& path) { return WriteCsv(model, sink, path, messages_); },
                       messages_);
}

ExitCode FoundReport::Run()
{
    Credentials credentials;
    if (!AskForAccount(options_, credentials, messages_))
        return ExitCode::Usage;
    options_.directorySource.credentials = credentials;
    if (options_.directory) {
        const ExitCode read = ReadDirectorySource();
        if (read != ExitCode::Success)
            return read;
    }
    if (options_.range) {
        const ExitCode swept = SweepRange();
        if (swept != ExitCode::Success)
            return swept;
    }
    if (found_.empty() && options_.computers.empty()) {
        messages_.ShowMessage(options_.directory && !options_.range
                                  ? FillIn(LoadText(IDS_DIRECTORY_NONE_FOUND), options_.directorySource.Text())
                                  : LoadText(IDS_RANGE_NONE_ANSWERED) + AddressText(options_.addressRange.first) +
                                        "-" + AddressText(options_.addressRange.last),
                              MB_ICONEXCLAMATION);
        return ExitCode::NoData;
    }
    ExitCode result = ExitCode::Success;
    if (options_.listNames) {
        result = ListNames();
    } else {
        ComputerList computers(kMaxFoundComputers);
        std::string reason;
        for (const std::string& name : options_.computers)
            computers.Add(name, reason);
        for (const FoundComputer& computer : found_) {
            if (!computers.Add(computer.name, reason)) {
                messages_.ShowMessage(reason, MB_ICONEXCLAMATION);
                return ExitCode::Usage;
            }
        }
        options_.computers = computers.Names();
        const ExitCode kept = RecordFound(options_, found_, messages_);
        if (kept != ExitCode::Success)
            return kept;
        const ExitCode left = LeaveOutFresh(options_, messages_, options_.quiet);
        if (left != ExitCode::Success)
            return left;
        if (options_.computers.empty()) {
            errors_.Message(FillIn(LoadText(IDS_REPORT_ALL_FRESH), std::to_string(options_.freshHours)));
            return refused_ > 0 ? ExitCode::SomeFailed : ExitCode::Success;
        }
        result = RunManyReport(options_, connector_, &credentials, &found_);
    }
    return result == ExitCode::Success && refused_ > 0 ? ExitCode::SomeFailed : result;
}

}  // namespace

ExitCode RunFoundReport(const ReportOptions& options, const WmiConnector& connector)
{
    FoundReport report(options, connector);
    return report.Run();
}
