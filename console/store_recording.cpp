#include "console/store_recording.h"

#include "base/text_util.h"
#include "console/report_output.h"
#include "resources/resource.h"
#include "resources/text.h"
#include "storetools/check_capture.h"

StoreLocation StoreLocationOf(const ReportOptions& options)
{
    StoreLocation location;
    ParseStoreLocation(options.storeText, location);
    return location;
}

StoreOpener StoreOpenerOf(const ReportOptions& options)
{
    return [timeout = options.timeoutSeconds](const StoreLocation& location, std::string& message) {
        StoreOpenFailure failure;
        return InventoryStore::Open(location, StoreAccess::Record, timeout, message, failure);
    };
}

StoreReopen StoreReopenOf(const ReportOptions& options)
{
    return [open = StoreOpenerOf(options), location = StoreLocationOf(options)](std::string& message) {
        return open(location, message);
    };
}

bool ConsoleRecording::Open(const ReportOptions& options, MessageSink& messages)
{
    if (!options.store)
        return true;
    std::string message;
    store_ = InventoryStore::Open(StoreLocationOf(options), StoreAccess::Record, options.timeoutSeconds, message,
                                  failure_);
    if (!store_)
        messages.ShowMessage(message, MB_ICONEXCLAMATION);
    return store_ != nullptr;
}

ExitCode ConsoleRecording::OpenFailureExitCode() const
{
    return failure_ == StoreOpenFailure::Empty ? ExitCode::Usage : ExitCode::FileError;
}

ExitCode ConsoleRecording::Finish(StoredCheck& check, ExitCode exitCode, const ReportOptions& options, MessageSink& messages)
{
    if (!store_)
        return exitCode;
    const RecordOutcome outcome = RecordWithRetry(store_, StoreReopenOf(options), check);
    if (!outcome.recorded) {
        messages.ShowMessage(LoadText(IDS_STORE_NOT_RECORDED) + "\n" + outcome.message, MB_ICONEXCLAMATION);
        const bool worse = exitCode >= ExitCode::Usage && exitCode <= ExitCode::SomeFailed && exitCode != ExitCode::Incomplete;
        return worse ? exitCode : ExitCode::FileError;
    }
    if (!options.quiet)
        messages.ShowMessage(FillIn(LoadText(outcome.alreadyStored ? IDS_STORE_ALREADY_STORED : IDS_STORE_RECORDED),
                                    std::to_string(check.header.id)),
                             MB_ICONINFORMATION);
    return exitCode;
}

StoredCheck NewStoredCheck(const ReportOptions& options, const CheckTime& checkedAt, const std::string& kind)
{
    return NewStoredCheckOf(options.computer, checkedAt, kind, options.user, "mirelrep");
}
