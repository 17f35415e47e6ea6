#include "shell/check_keeper.h"

#include "ui/background_task.h"

namespace {

constexpr unsigned kWindowStoreTimeoutSeconds = 30;

bool SameLocation(const StoreLocation& one, const StoreLocation& other)
{
    return one.kind == other.kind && one.path == other.path && one.connection == other.connection;
}

StoreReopen ReopenOf(const StoreLocation& location)
{
    return [location](std::string& message) { return OpenWindowStore(location, StoreAccess::Record, message); };
}

}  // namespace

std::unique_ptr<InventoryStore> OpenWindowStore(const StoreLocation& location, StoreAccess access, std::string& message)
{
    StoreOpenFailure failure = StoreOpenFailure::None;
    return InventoryStore::Open(location, access, kWindowStoreTimeoutSeconds, message, failure);
}

CheckKeeper::CheckKeeper() : writer_([this] { Write(); }) {}

CheckKeeper::~CheckKeeper()
{
    {
        std::lock_guard<std::mutex> guard(lock_);
        ending_ = true;
    }
    wake_.notify_all();
    writer_.join();
}

void CheckKeeper::Keep(const StoreLocation& location, StoredCheck check, HWND window, Told told)
{
    {
        std::lock_guard<std::mutex> guard(lock_);
        jobs_.push_back(Job{location, std::make_shared<StoredCheck>(std::move(check)), window, std::move(told)});
    }
    wake_.notify_one();
}

size_t CheckKeeper::Pending() const
{
    std::lock_guard<std::mutex> guard(lock_);
    return jobs_.size() + writing_;
}

void CheckKeeper::Write()
{
    for (;;) {
        Job job;
        {
            std::unique_lock<std::mutex> guard(lock_);
            wake_.wait(guard, [this] { return ending_ || !jobs_.empty(); });
            if (jobs_.empty())
                return;   // ending, and everything handed over is written
            job = std::move(jobs_.front());
            jobs_.pop_front();
            ++writing_;
        }
        RecordOutcome outcome;
        try {
            outcome = WriteOne(job.location, *job.check);
        } catch (...) {
            outcome = RecordOutcome{false, {}};
        }
        if (job.told)
            ui::PostContinuation(job.window, [told = std::move(job.told), check = job.check, outcome] {
                told(*check, outcome);
            });
        std::lock_guard<std::mutex> guard(lock_);
        --writing_;
    }
}

RecordOutcome CheckKeeper::WriteOne(const StoreLocation& location, StoredCheck& check)
{
    if (store_ && !SameLocation(store_->Location(), location))
        store_.reset();
    const StoreReopen reopen = ReopenOf(location);
    if (!store_) {
        RecordOutcome opened;
        store_ = reopen(opened.message);
        if (!store_)
            return opened;
    }
    return RecordWithRetry(store_, reopen, check);
}
