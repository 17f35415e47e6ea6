// The window program's side of the one writer into the inventory store: the main view and
// the window that checks several computers hand their checks over and go on at once; the
// store's record queue writes them one after the other and each window that handed one
// over hears how it went.
#pragma once
#include <windows.h>

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "db/store_location.h"
#include "store/inventory_store.h"
#include "store/record_queue.h"
#include "ui/background_task.h"

class CheckKeeper {
public:
    // Runs on the thread of the window it was posted to, with the check (its id set when
    // it was recorded) and how its recording went.
    using Told = std::function<void(const StoredCheck& check, const RecordOutcome& outcome)>;

    CheckKeeper();
    CheckKeeper(const CheckKeeper&) = delete;
    CheckKeeper& operator=(const CheckKeeper&) = delete;
    // Ends the writer as End does, without telling anyone.
    ~CheckKeeper() = default;

    // Hands `check` over to be recorded into the store at `location`; returns at once.
    // `told` is posted to `window` afterwards (not when the window is gone by then). Any
    // thread may call it.
    void Keep(const StoreLocation& location, StoredCheck check, HWND window, Told told);

    // Runs `work` on the writer's thread once everything handed over before is recorded
    // and the store the writer keeps open is closed (so that its file can be moved); what
    // `work` returns is posted to `window`. Returns at once.
    void CloseStoreThen(HWND window, std::function<ui::Continuation()> work);

    // Checks handed over whose recording has not ended yet.
    size_t Pending() const { return queue_.Pending(); }

    // At the program's end: waits a few seconds at most (a second after AbandonAtEnd) for
    // the checks handed over to be written; the computers of those that were not, for the
    // program to tell.
    std::vector<std::string> End();

    // The user chose to quit while checks or recordings were under way: the end waits at
    // most a second for the recordings.
    void AbandonAtEnd() { abandon_ = true; }

private:
    static constexpr std::chrono::milliseconds kAbandonWait{1000};

    RecordQueue queue_;
    bool abandon_ = false;
};

// Where the checks of a run go, called from any thread with each finished check; empty when
// checks are not kept.
using CheckSink = std::function<void(StoredCheck check)>;

// Opens the store as the window's parts use it, waiting at most 30 s when it is busy or its
// server is slow to answer; null with `message` set when it cannot be used. Never on the
// window's thread.
std::unique_ptr<InventoryStore> OpenWindowStore(const StoreLocation& location, StoreAccess access, std::string& message);

// Tells, after the window is gone, the computers whose checks `End` could not record.
void TellChecksNotRecorded(const std::vector<std::string>& computers);
