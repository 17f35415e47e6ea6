#include "console/report_command.h"

#include "base/text_util.h"
#include "console/console_reporter.h"
#include "console/report_output.h"
#include "console/store_recording.h"
#include "report/computer_sheet.h"
#include "report/fleet_report.h"
#include "resources/resource.h"
#include "resources/text.h"
#include "store/check_reader.h"
#include "store/inventory_store.h"

namespace {

class ReportCommandRun {
public:
    explicit ReportCommandRun(const ReportOptions& options)
        : options_(options), errors_(options.utf8), messages_(errors_, {})
    {
    }
    ExitCode Run();

private:
    ExitCode Fleet();
    ExitCode Sheet();
    // The page into the /out file, or standard output, in UTF-8 without a byte-order mark.
    ExitCode Write(const std::string& html);
    ExitCode Fail(const std::string& message, ExitCode exitCode)
    {
        messages_.ShowMessage(message, MB_ICONEXCLAMATION);
        return exitCode;
    }
    ExitCode DatabaseFailed(const std::string& error)
    {
        return Fail(LoadText(IDS_REPORT_FAILED) + "\n" + error, ExitCode::FileError);
    }

    const ReportOptions& options_;
    ErrorStream errors_;
    ConsoleReporter messages_;
    std::unique_ptr<InventoryStore> store_;
    CheckTime now_ = CheckTime::Now();
};

ExitCode ReportCommandRun::Write(const std::string& html)
{
    if (options_.outPath.empty()) {
        ReportOptions utf8 = options_;
        utf8.utf8 = true;
        return WriteResultText(utf8, html, messages_);
    }
    CharacterLoss loss;
    return WriteResultFile(options_.outPath, TextEncoding::Utf8, TextWriter(html, messages_), messages_, loss);
}

ExitCode ReportCommandRun::Fleet()
{
    FleetFigures figures;
    std::string error;
    if (!ReadFleetFigures(store_->Db(), now_.epoch, figures, error))
        return DatabaseFailed(error);
    return Write(FleetReportHtml(figures, DescribeStoreLocation(store_->Location()), now_));
}

ExitCode ReportCommandRun::Sheet()
{
    int64_t checkId = 0;
    std::string name, error;
    switch (FindLatestCheck(store_->Db(), options_.reportComputer, checkId, name, error)) {
    case SheetLookup::Failed:
        return DatabaseFailed(error);
    case SheetLookup::NotFound:
        return Fail(FillIn(LoadText(IDS_SHEET_NO_CHECK), options_.reportComputer), ExitCode::Usage);
    case SheetLookup::Found:
        break;
    }
    StoredCheck check;
    switch (LoadCheck(store_->Statements(), checkId, check)) {
    case LoadResult::Loaded:
        break;
    case LoadResult::NotFound:
        return Fail(FillIn(LoadText(IDS_SHEET_NO_CHECK), options_.reportComputer), ExitCode::Usage);
    case LoadResult::Failed:
        return Fail(store_->FailureMessage(), ExitCode::FileError);
    }
    SheetHistory history;
    if (!ReadSheetHistory(store_->Db(), name, now_.epoch, history, error))
        return DatabaseFailed(error);
    return Write(ComputerSheetHtml(check, history, now_));
}

ExitCode ReportCommandRun::Run()
{
    if (!ResultTargetCanBeWritten(options_, messages_))
        return ExitCode::FileError;
    std::string message;
    StoreOpenFailure failure = StoreOpenFailure::None;
    store_ = InventoryStore::Open(StoreLocationOf(options_), StoreAccess::Query, options_.timeoutSeconds, message,
                                  failure);
    if (!store_)
        return Fail(message, failure == StoreOpenFailure::Empty ? ExitCode::Usage : ExitCode::FileError);
    const ExitCode written = options_.reportComputer.empty() ? Fleet() : Sheet();
    if (written == ExitCode::Success && !options_.quiet && !options_.outPath.empty())
        messages_.ShowMessage(FillIn(LoadText(IDS_REPORT_WRITTEN), options_.outPath), MB_ICONINFORMATION);
    return written;
}

}  // namespace

ExitCode RunReportCommand(const ReportOptions& options)
{
    ReportCommandRun run(options);
    return run.Run();
}
