#include "store/record_queue.h"

#include <algorithm>

RecordQueue::RecordQueue(std::unique_ptr<InventoryStore> store, Reopen reopen, int writers) : reopen_(std::move(reopen))
{
    const bool server = store && store->Location().kind == StoreLocation::Kind::Odbc;
    writers_.emplace_back([this, first = std::move(store)]() mutable { Write(std::move(first)); });
    for (int more = 1; server && reopen_ && more < std::min(writers, kMaxServerWriters); ++more)
        writers_.emplace_back([this] {
            std::unique_ptr<InventoryStore> own;
            try {
                std::string message;
                own = reopen_(message);
            } catch (...) {
            }
            if (own)   // else the others write
                Write(std::move(own));
        });
}

RecordQueue::~RecordQueue()
{
    {
        std::lock_guard<std::mutex> guard(lock_);
        ending_ = true;
    }
    wake_.notify_all();
    for (std::thread& writer : writers_)
        writer.join();
}

RecordOutcome RecordQueue::Record(StoredCheck& check)
{
    std::future<RecordOutcome> done;
    {
        std::lock_guard<std::mutex> guard(lock_);
        jobs_.push_back({&check, {}});
        done = jobs_.back().done.get_future();
    }
    wake_.notify_all();
    return done.get();
}

RecordOutcome RecordWithRetry(std::unique_ptr<InventoryStore>& store, const StoreReopen& reopen, StoredCheck& check)
{
    if (store && store->Record(check))
        return {true, {}};
    std::string message = store ? store->FailureMessage() : std::string();
    const DbFailure failure = store ? store->Db().LastError().failure : DbFailure::Connection;
    if (failure == DbFailure::Busy)   // another writer won a deadlock: once more, on the same connection
        return store->Record(check) ? RecordOutcome{true, {}} : RecordOutcome{false, store->FailureMessage()};
    const bool broken = failure == DbFailure::Connection;
    if (!broken || !reopen)
        return {false, message};
    store = reopen(message);
    if (store && store->Record(check))
        return {true, {}};
    return {false, store ? store->FailureMessage() : message};
}

void RecordQueue::Write(std::unique_ptr<InventoryStore> store)
{
    for (;;) {
        std::unique_lock<std::mutex> guard(lock_);
        wake_.wait(guard, [this] { return ending_ || !jobs_.empty(); });
        if (jobs_.empty())
            return;
        Job job = std::move(jobs_.front());
        jobs_.pop_front();
        guard.unlock();
        RecordOutcome outcome;
        try {
            outcome = RecordWithRetry(store, reopen_, *job.check);
        } catch (...) {
            outcome = {false, {}};
        }
        job.done.set_value(std::move(outcome));
    }
}
