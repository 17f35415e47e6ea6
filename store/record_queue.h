// One writer for the checks of many computers: the workers of a run hand their checks over
// and wait for their own to be recorded, while one thread writes them one after the other
// through one connection. A check whose recording fails because the connection to a server
// broke is tried once more on a new connection.
#pragma once
#include <condition_variable>
#include <deque>
#include <functional>
#include <future>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "store/inventory_store.h"

struct RecordOutcome {
    bool recorded = false;
    std::string message;   // why not, when not
};

// Opens the store anew after a broken connection; null with `message` set when it cannot.
using StoreReopen = std::function<std::unique_ptr<InventoryStore>(std::string& message)>;

// Records `check` into `store`. On a server it tries once more when another writer won a
// deadlock, and when the connection broke it opens the store anew with `reopen` (when
// given) and tries once more; `store` is then the new one (null when it could not be opened).
RecordOutcome RecordWithRetry(std::unique_ptr<InventoryStore>& store, const StoreReopen& reopen, StoredCheck& check);

class RecordQueue {
public:
    // Takes the open store; `reopen` (optional) opens it anew after a broken connection.
    using Reopen = StoreReopen;
    RecordQueue(std::unique_ptr<InventoryStore> store, Reopen reopen = {});
    RecordQueue(const RecordQueue&) = delete;
    RecordQueue& operator=(const RecordQueue&) = delete;
    // Writes what was handed over, then ends the writer.
    ~RecordQueue();

    // Records `check` (its id set) and answers when it is done. Any thread may call it.
    RecordOutcome Record(StoredCheck& check);

private:
    struct Job {
        StoredCheck* check;
        std::promise<RecordOutcome> done;
    };
    void Write();
    RecordOutcome WriteOne(StoredCheck& check);

    std::unique_ptr<InventoryStore> store_;
    Reopen reopen_;
    std::mutex lock_;
    std::condition_variable wake_;
    std::deque<Job> jobs_;
    bool ending_ = false;
    std::thread writer_;
};
