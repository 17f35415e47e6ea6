// Store work off the window's thread, through the window layer's one way of working in the
// background (ui::RunInBackground): a task opens an inventory store, does its reads there
// and, back on the window's thread, sends its window a message when it is done, the task in
// the message's lParam. The window keeps the task it waits for and takes the answer when
// that message arrives; an answer the window no longer waits for is dropped with its task.
#pragma once
#include <windows.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

#include "store/inventory_store.h"

// Shows a stored check in the main window; false when it cannot now (a check runs there).
using StoredCheckOpener = std::function<bool(int64_t checkId)>;

// The message a store window gets when its task ended (lParam: the task).
inline constexpr UINT kStoreTaskDone = WM_APP + 40;

class StoreTask {
public:
    // Reads from the open store; false with `message` (ready to show) when it failed.
    using Work = std::function<bool(InventoryStore& store, std::string& message)>;

    // Starts `work` on a thread of its own against the store at `location`, opened for
    // `access`; `window` gets `doneMessage` when it ended (at once, failed, when no thread
    // could be started).
    static std::shared_ptr<StoreTask> Start(HWND window, UINT doneMessage, StoreLocation location, StoreAccess access,
                                            Work work);

    // From the window: the task's reading ends where it is (a question within a second; on a
    // server, the server stops working on it too), and the task ends as failed.
    void Stop();
    // Stop was asked before the task ended.
    bool Stopped() const { return stopped_.load(); }

    // Whether this task is the one a posted message tells about, and it has ended.
    bool IsAnswer(LPARAM lParam) const { return lParam == reinterpret_cast<LPARAM>(this) && done_.load(); }
    bool Succeeded() const { return succeeded_; }
    // Why it failed: the store could not be opened (missing, empty, damaged...) or a read
    // failed, the database's own words included.
    const std::string& Message() const { return message_; }
    // The store could be opened, but holds no checks.
    bool StoreEmpty() const { return failure_ == StoreOpenFailure::Empty; }

private:
    void Run(const StoreLocation& location, StoreAccess access, const Work& work);

    std::atomic<bool> done_{false};
    std::atomic<bool> stopped_{false};
    std::mutex storeLock_;
    Database* database_ = nullptr;   // the open store's, while the work runs
    bool succeeded_ = false;
    std::string message_;
    StoreOpenFailure failure_ = StoreOpenFailure::None;
};
