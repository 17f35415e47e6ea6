#include "shell/store_task.h"

#include <exception>
#include <thread>

namespace {

// How long a busy store or a server that does not answer is waited for.
constexpr unsigned kStoreTimeoutSeconds = 20;

}  // namespace

std::shared_ptr<StoreTask> StoreTask::Start(HWND window, UINT doneMessage, StoreLocation location, StoreAccess access,
                                            Work work)
{
    auto task = std::make_shared<StoreTask>();
    // The thread keeps the task alive; the window may be gone when it ends.
    std::thread([task, window, doneMessage, location = std::move(location), access, work = std::move(work)] {
        task->Run(window, doneMessage, location, access, work);
    }).detach();
    return task;
}

void StoreTask::Run(HWND window, UINT doneMessage, const StoreLocation& location, StoreAccess access, const Work& work)
{
    try {
        std::unique_ptr<InventoryStore> store =
            InventoryStore::Open(location, access, kStoreTimeoutSeconds, message_, failure_);
        succeeded_ = store && work(*store, message_);
    } catch (const std::exception& error) {
        succeeded_ = false;
        message_ = error.what();
    } catch (...) {
        succeeded_ = false;
    }
    done_.store(true);
    PostMessageW(window, doneMessage, 0, reinterpret_cast<LPARAM>(this));
}
