// Writers for the checks of many computers: the workers of a run hand their checks over and
// wait for their own to be recorded, while one thread writes them one after the other
// through one connection (a few threads, each with its own connection, for a server, which
// takes several writers at once). A check whose recording fails because the connection to
// a server broke is tried once more on a new connection.
#pragma once
#include <condition_variable>
#include <deque>
#include <functional>
#include <future>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "store/inventory_store.h"

struct RecordOutcome {
    bool recorded = false;
    std::string message;   // why not, when not
};

// Opens the store anew after a broken connection; null with `message` set when it cannot.
using StoreReopen = std::function<std::unique_ptr<InventoryStore>(std::string& message)>;

// The most writers a run keeps on a server at once.
inline constexpr int kMaxServerWriters = 4;

// Records `check` into `store`; once more when another writer won a deadlock; when the
// connection to the server broke, opens the store
// anew with `reopen` (when given) and tries once more. `store` is then the new one (null
// when it could not be opened).
RecordOutcome RecordWithRetry(std::unique_ptr<InventoryStore>& store, const StoreReopen& reopen, StoredCheck& check);

class RecordQueue {
public:
    // Takes the open store; `reopen` (optional) opens it anew after a broken connection.
    // A store on a server takes up to `writers` (at most kMaxServerWriters) writers at
    // once, each on a connection of its own (opened with `reopen`); a file takes one.
    using Reopen = StoreReopen;
    RecordQueue(std::unique_ptr<InventoryStore> store, Reopen reopen = {}, int writers = 1);
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
    void Write(std::unique_ptr<InventoryStore> store);

    Reopen reopen_;
    std::mutex lock_;
    std::condition_variable wake_;
    std::deque<Job> jobs_;
    bool ending_ = false;
    std::vector<std::thread> writers_;   // last: they start once the rest is ready
};
