#include "store/record_queue.h"

RecordQueue::RecordQueue(std::unique_ptr<InventoryStore> store, Reopen reopen)
    : store_(std::move(store)), reopen_(std::move(reopen)), writer_([this] { Write(); })
{
}

RecordQueue::~RecordQueue()
{
    {
        std::lock_guard<std::mutex> guard(lock_);
        ending_ = true;
    }
    wake_.notify_all();
    writer_.join();
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
    if (failure == DbFailure::Busy && store->Location().kind == StoreLocation::Kind::Odbc)
        // Another writer won a deadlock (a file's writers wait their turn instead): once more.
        return store->Record(check) ? RecordOutcome{true, {}} : RecordOutcome{false, store->FailureMessage()};
    const bool broken = failure == DbFailure::Connection;
    if (!broken || !reopen)
        return {false, message};
    store = reopen(message);
    if (store && store->Record(check))
        return {true, {}};
    return {false, store ? store->FailureMessage() : message};
}

RecordOutcome RecordQueue::WriteOne(StoredCheck& check)
{
    return RecordWithRetry(store_, reopen_, check);
}

void RecordQueue::Write()
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
            outcome = WriteOne(*job.check);
        } catch (...) {
            outcome = {false, {}};
        }
        job.done.set_value(std::move(outcome));
    }
}
