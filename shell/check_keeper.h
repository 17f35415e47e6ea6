// The window program's one writer into the inventory store: the main view and the window
// that checks several computers hand their checks over and go on at once; one thread
// records them one after the other and tells the window that handed each over how it went.
#pragma once
#include <windows.h>

#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

#include "store/inventory_store.h"
#include "store/record_queue.h"
#include "db/store_location.h"

class CheckKeeper {
public:
    // Runs on the thread of the window it was posted to, with the check (its id set when
    // it was recorded) and how its recording went.
    using Told = std::function<void(const StoredCheck& check, const RecordOutcome& outcome)>;

    CheckKeeper();
    CheckKeeper(const CheckKeeper&) = delete;
    CheckKeeper& operator=(const CheckKeeper&) = delete;
    // Records what was handed over, then ends the writer.
    ~CheckKeeper();

    // Hands `check` over to be recorded into the store at `location`; returns at once.
    // `told` is posted to `window` afterwards (not when the window is gone by then). Any
    // thread may call it.
    void Keep(const StoreLocation& location, StoredCheck check, HWND window, Told told);

    // Checks handed over whose recording has not ended yet.
    size_t Pending() const;

private:
    struct Job {
        StoreLocation location;
        std::shared_ptr<StoredCheck> check;
        HWND window;
        Told told;
    };
    void Write();
    RecordOutcome WriteOne(const StoreLocation& location, StoredCheck& check);

    std::unique_ptr<InventoryStore> store_;   // the writer's: the store last written to
    mutable std::mutex lock_;
    std::condition_variable wake_;
    std::deque<Job> jobs_;
    size_t writing_ = 0;
    bool ending_ = false;
    std::thread writer_;
};

// Where the checks of a run go, called from any thread with each finished check; empty when
// checks are not kept.
using CheckSink = std::function<void(StoredCheck check)>;

// Opens the store as the window's parts use it, waiting at most 30 s when it is busy or its
// server is slow to answer; null with `message` set when it cannot be used. Never on the
// window's thread.
std::unique_ptr<InventoryStore> OpenWindowStore(const StoreLocation& location, StoreAccess access, std::string& message);
