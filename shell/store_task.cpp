#include "shell/store_task.h"

#include <exception>

#include "resources/resource.h"
#include "resources/text.h"
#include "ui/background_task.h"

namespace {

// How long a busy store or a server that does not answer is waited for.
constexpr unsigned kStoreTimeoutSeconds = 20;

// Tells `window` that `task` ended, on the window's thread; the continuation keeps the task
// alive while the window reads it.
ui::Continuation TellDone(std::shared_ptr<StoreTask> task, HWND window, UINT doneMessage)
{
    return [task = std::move(task), window, doneMessage] {
        SendMessageW(window, doneMessage, 0, reinterpret_cast<LPARAM>(task.get()));
    };
}

}  // namespace

std::shared_ptr<StoreTask> StoreTask::Start(HWND window, UINT doneMessage, StoreLocation location, StoreAccess access,
                                            Work work)
{
    auto task = std::make_shared<StoreTask>();
    const bool started = ui::RunInBackground(
        window, [task, window, doneMessage, location = std::move(location), access, work = std::move(work)] {
            task->Run(location, access, work);
            return TellDone(task, window, doneMessage);
        });
    if (!started) {
        // No thread: the window hears at once that nothing was read, as after any failure.
        task->message_ = LoadText(IDS_STORE_NO_THREAD);
        task->done_.store(true);
        ui::PostContinuation(window, TellDone(task, window, doneMessage));
    }
    return task;
}

void StoreTask::Stop()
{
    std::lock_guard<std::mutex> hold(storeLock_);
    if (done_.load())
        return;
    stopped_.store(true);
    if (database_)
        database_->Interrupt();
}

void StoreTask::Run(const StoreLocation& location, StoreAccess access, const Work& work)
{
    try {
        std::unique_ptr<InventoryStore> store =
            InventoryStore::Open(location, access, kStoreTimeoutSeconds, message_, failure_);
        if (store) {
            std::lock_guard<std::mutex> hold(storeLock_);
            database_ = &store->Db();
            if (stopped_.load())
                database_->Interrupt();
        }
        succeeded_ = store && work(*store, message_);
        std::lock_guard<std::mutex> hold(storeLock_);
        database_ = nullptr;
    } catch (const std::exception& error) {
        succeeded_ = false;
        message_ = error.what();
    } catch (...) {
        succeeded_ = false;
    }
    done_.store(true);
}
