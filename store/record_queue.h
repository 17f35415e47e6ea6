// The one writer into the inventory store, for both programs: whoever has a finished check
// hands it over and goes on (or waits for its own, as mirelrep's workers do), while one
// thread writes the checks one after the other through one connection. A check whose
// recording fails because the connection to a server broke is tried once more on a new
// connection. The end of the queue waits a bounded time: what is not written by then is
// told as not recorded, never dropped unsaid.
#pragma once
#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "store/inventory_store.h"

struct RecordOutcome {
    bool recorded = false;        // in the store: recorded now, or already there
    std::string message;          // why not, when not
    bool alreadyStored = false;   // the same check was in the store already (its number in the check)
};

// Opens the store anew after a broken connection; null with `message` set when it cannot.
using StoreReopen = std::function<std::unique_ptr<InventoryStore>(std::string& message)>;
// Opens the store at `location` for recording; null with `message` set when it cannot.
using StoreOpener = std::function<std::unique_ptr<InventoryStore>(const StoreLocation& location, std::string& message)>;

// Records `check` into `store`. On a server it tries once more when another writer won a
// deadlock, and when the connection broke it opens the store anew with `reopen` (when
// given) and tries once more; `store` is then the new one (null when it could not be opened).
RecordOutcome RecordWithRetry(std::unique_ptr<InventoryStore>& store, const StoreReopen& reopen, StoredCheck& check);

class RecordQueue {
public:
    // Told once per check handed over: on the writer's thread when its recording ended,
    // or on the thread that ends the queue when the queue ended first.
    using Told = std::function<void(StoredCheck& check, const RecordOutcome& outcome)>;

    // How long the end of a queue waits for the checks handed over to be written.
    static constexpr std::chrono::milliseconds kEndWait{5000};

    // `open` opens the store of a check's location (for the first check, for another
    // location, after a broken connection); `store`, when given, is open already and is
    // where Record(check) writes.
    explicit RecordQueue(StoreOpener open, std::unique_ptr<InventoryStore> store = nullptr);
    RecordQueue(const RecordQueue&) = delete;
    RecordQueue& operator=(const RecordQueue&) = delete;
    // Ends the queue (End(kEndWait)).
    ~RecordQueue();

    // Hands `check` over to be recorded at `location`; returns at once. Any thread may call it.
    void Post(const StoreLocation& location, std::shared_ptr<StoredCheck> check, Told told);
    // Records `check` into the store the queue was given and answers when it is done. Any
    // thread may call it.
    RecordOutcome Record(StoredCheck check);

    // Runs `work` on the writer's thread once every check handed over before is written,
    // the store the writer keeps open closed first (so that its file can be moved aside).
    // Returns at once; after the end of the queue `work` does not run.
    void CloseStoreThen(std::function<void()> work);

    // Checks handed over whose recording has not ended yet.
    size_t Pending() const;

    // Waits at most `limit` for every check handed over to be written, then ends the
    // writer. The checks not written by then are told as not recorded (the one being
    // written: that it may not have been, its transaction undone when the program ends)
    // and returned; checks handed over later are told so at once.
    std::vector<std::shared_ptr<const StoredCheck>> End(std::chrono::milliseconds limit);

private:
    struct Shared;
    std::shared_ptr<Shared> shared_;
    std::thread writer_;
};
