// mirelrep's side of keeping checks: with /store, the store is opened before the check
// starts (a store that cannot be used is told at once, as a /out file is), and the check is
// recorded once its result has been written.
#pragma once
#include <memory>
#include <string>

#include "base/message_sink.h"
#include "console/exit_code.h"
#include "console/report_options.h"
#include "store/inventory_store.h"
#include "store/record_queue.h"
#include "store/stored_check.h"

class ConsoleRecording {
public:
    // Opens the store of /store; true without /store. False after the message.
    bool Open(const ReportOptions& options, MessageSink& messages);
    bool Active() const { return store_ != nullptr; }
    // The exit code of a store that could not be opened.
    ExitCode OpenFailureExitCode() const;
    // Takes the store (for the one writer of a run over many computers).
    std::unique_ptr<InventoryStore> Release() { return std::move(store_); }

    // Records `check` when the store is open (once more on a new connection when the
    // connection to the server broke); returns `exitCode`, or the file-error code after
    // the message when recording failed and nothing worse happened. Without /q,
    // says under which number the check was recorded.
    ExitCode Finish(StoredCheck& check, ExitCode exitCode, const ReportOptions& options, MessageSink& messages);

private:
    std::unique_ptr<InventoryStore> store_;
    StoreOpenFailure failure_ = StoreOpenFailure::None;
};

// The store the options name: /store:... or the default file.
StoreLocation StoreLocationOf(const ReportOptions& options);
// Opens that store anew for recording, after its connection broke.
StoreReopen StoreReopenOf(const ReportOptions& options);
// Opens a store for recording with the options' time limit (for the one writer of a run).
StoreOpener StoreOpenerOf(const ReportOptions& options);

// A check of the options' computer as the store will keep it, its results still to come.
StoredCheck NewStoredCheck(const ReportOptions& options, const CheckTime& checkedAt, const std::string& kind);
