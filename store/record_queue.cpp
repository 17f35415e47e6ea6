#include "store/record_queue.h"

#include <condition_variable>
#include <deque>
#include <future>
#include <mutex>

#include "resources/resource.h"
#include "resources/text.h"

namespace {

bool SameLocation(const StoreLocation& one, const StoreLocation& other)
{
    return one.kind == other.kind && one.path == other.path && one.connection == other.connection;
}

struct Job {
    StoreLocation location;
    std::shared_ptr<StoredCheck> check;
    RecordQueue::Told told;
    std::function<void()> closed;   // instead of a check: CloseStoreThen's work
};

void Tell(const Job& job, const RecordOutcome& outcome)
{
    if (!job.told)
        return;
    try {
        job.told(*job.check, outcome);
    } catch (...) {
        // What the teller does with the news is its own affair; the writer goes on.
    }
}

}  // namespace

struct RecordQueue::Shared {
    StoreOpener open;
    StoreLocation given;                     // where Record(check) writes
    std::unique_ptr<InventoryStore> store;   // the writer's: the store last written to
    mutable std::mutex lock;
    std::condition_variable wake, idle;
    std::deque<Job> jobs;
    Job current;             // the check being written
    bool writing = false;
    bool claimed = false;    // the writer tells the current check itself
    bool abandoned = false;  // End told the current check already
    bool ending = false;     // write what is there, then stop
    bool ended = false;      // refuse what comes now

    RecordOutcome WriteOne(const Job& job);
    void Write();
};

namespace {

RecordOutcome Recorded(const InventoryStore& store)
{
    return {true, {}, store.AlreadyStored()};
}

}  // namespace

RecordOutcome RecordWithRetry(std::unique_ptr<InventoryStore>& store, const StoreReopen& reopen, StoredCheck& check)
{
    // A check read now is recorded as read; one from a file may be in the store already, and
    // so may one whose connection dropped after its commit.
    const RecordMode mode = check.header.source == kImportedSource ? RecordMode::MayBeStored : RecordMode::JustRead;
    if (store && store->Record(check, mode))
        return Recorded(*store);
    std::string message = store ? store->FailureMessage() : std::string();
    const DbFailure failure = store ? store->Db().LastError().failure : DbFailure::Connection;
    if (failure == DbFailure::Busy && store->Location().kind == StoreLocation::Kind::Odbc)
        // Another writer won a deadlock (a file's writers wait their turn instead): once more.
        return store->Record(check, mode) ? Recorded(*store) : RecordOutcome{false, store->FailureMessage()};
    const bool broken = failure == DbFailure::Connection;
    if (!broken || !reopen)
        return {false, message};
    store = reopen(message);
    if (store && store->Record(check, RecordMode::MayBeStored))
        return Recorded(*store);
    return {false, store ? store->FailureMessage() : message};
}

RecordOutcome RecordQueue::Shared::WriteOne(const Job& job)
{
    if (store && !SameLocation(store->Location(), job.location))
        store.reset();
    const StoreReopen reopen = [this, location = job.location](std::string& message) {
        return open ? open(location, message) : nullptr;
    };
    if (!store) {
        RecordOutcome opened;
        store = reopen(opened.message);
        if (!store)
            return opened;
    }
    return RecordWithRetry(store, reopen, *job.check);
}

void RecordQueue::Shared::Write()
{
    for (;;) {
        Job job;
        {
            std::unique_lock<std::mutex> guard(lock);
            wake.wait(guard, [this] { return ending || !jobs.empty(); });
            if (jobs.empty())
                return;   // ending, and everything handed over is written
            job = std::move(jobs.front());
            jobs.pop_front();
            current = job;
            writing = true;
            claimed = abandoned = false;
        }
        if (job.closed) {
            store.reset();
            try {
                job.closed();
            } catch (...) {
                // The work tells its own outcome; the writer goes on.
            }
            std::lock_guard<std::mutex> guard(lock);
            writing = false;
            current = Job{};
            if (jobs.empty())
                idle.notify_all();
            continue;
        }
        RecordOutcome outcome;
        try {
            outcome = WriteOne(job);
        } catch (...) {
            outcome = RecordOutcome{false, {}};
        }
        bool tell = false;
        {
            std::lock_guard<std::mutex> guard(lock);
            tell = !abandoned;
            claimed = true;
        }
        if (tell)
            Tell(job, outcome);
        std::lock_guard<std::mutex> guard(lock);
        writing = false;
        current = Job{};
        if (jobs.empty())
            idle.notify_all();
    }
}

RecordQueue::RecordQueue(StoreOpener open, std::unique_ptr<InventoryStore> store) : shared_(std::make_shared<Shared>())
{
    shared_->open = std::move(open);
    if (store)
        shared_->given = store->Location();
    shared_->store = std::move(store);
    // The thread keeps what it works on: it may outlive the queue when the end did not wait for it.
    writer_ = std::thread([shared = shared_] { shared->Write(); });
}

RecordQueue::~RecordQueue()
{
    if (writer_.joinable())
        End(kEndWait);
}

void RecordQueue::Post(const StoreLocation& location, std::shared_ptr<StoredCheck> check, Told told)
{
    Job job{location, std::move(check), std::move(told)};
    {
        std::lock_guard<std::mutex> guard(shared_->lock);
        if (!shared_->ended) {
            shared_->jobs.push_back(std::move(job));
            shared_->wake.notify_one();
            return;
        }
    }
    Tell(job, RecordOutcome{false, LoadText(IDS_RECORD_NOT_REACHED)});
}

RecordOutcome RecordQueue::Record(StoredCheck check)
{
    auto done = std::make_shared<std::promise<RecordOutcome>>();
    std::future<RecordOutcome> answer = done->get_future();
    Post(shared_->given, std::make_shared<StoredCheck>(std::move(check)),
         [done](StoredCheck&, const RecordOutcome& outcome) { done->set_value(outcome); });
    return answer.get();
}

void RecordQueue::CloseStoreThen(std::function<void()> work)
{
    std::lock_guard<std::mutex> guard(shared_->lock);
    if (shared_->ended)
        return;
    shared_->jobs.push_back(Job{{}, nullptr, nullptr, std::move(work)});
    shared_->wake.notify_one();
}

size_t RecordQueue::Pending() const
{
    std::lock_guard<std::mutex> guard(shared_->lock);
    return shared_->jobs.size() + (shared_->writing ? 1 : 0);
}

std::vector<std::shared_ptr<const StoredCheck>> RecordQueue::End(std::chrono::milliseconds limit)
{
    std::deque<Job> left;
    Job cut;
    bool written = false;
    {
        std::unique_lock<std::mutex> guard(shared_->lock);
        shared_->ending = true;
        shared_->wake.notify_all();
        written =
            shared_->idle.wait_for(guard, limit, [this] { return shared_->jobs.empty() && !shared_->writing; });
        shared_->ended = true;
        if (!written) {
            left.swap(shared_->jobs);
            if (shared_->writing && !shared_->claimed) {
                shared_->abandoned = true;
                cut = shared_->current;
            }
        }
    }
    std::vector<std::shared_ptr<const StoredCheck>> untold;
    if (cut.check) {
        Tell(cut, RecordOutcome{false, LoadText(IDS_RECORD_CUT_SHORT)});
        untold.push_back(cut.check);
    }
    for (const Job& job : left) {
        if (!job.check)
            continue;   // a closing of the store, with nothing to tell
        Tell(job, RecordOutcome{false, LoadText(IDS_RECORD_NOT_REACHED)});
        untold.push_back(job.check);
    }
    if (written)
        writer_.join();
    else
        writer_.detach();   // still writing: it ends with the process, its transaction undone
    return untold;
}
