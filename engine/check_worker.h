// The worker thread of a check. It prepares COM for itself, runs the check's job against
// the check's context, empties the progress line, posts WM_CHECK_COMPLETE to the window
// that asked for it at once and ends.
#pragma once
#include <windows.h>

#include <functional>
#include <memory>

#include "base/handles.h"
#include "engine/check_context.h"

// Posted by the worker to its notify window when a check has ended.
inline constexpr UINT WM_CHECK_COMPLETE = WM_USER + 1;

// What a check does once COM is ready: a survey driver bound to its results.
using CheckJob = std::function<void(CheckContext& check)>;

// COM (multithreaded apartment, security through the check's connector) for the calling
// thread, the job, and COM left again when it was entered. When COM cannot be prepared
// the job does not run, the error text is shown through the check (stop icon) and the
// result is false; so it is when the job throws, which ends it as a failure of the check.
bool RunCheckOnThisThread(CheckContext& check, const CheckJob& job);

class CheckWorker {
public:
    CheckWorker() = default;
    CheckWorker(const CheckWorker&) = delete;
    CheckWorker& operator=(const CheckWorker&) = delete;
    // A worker still running is asked to stop and waited for.
    ~CheckWorker();

    // Starts the thread for `check` (which must outlive it); false when no thread could be
    // created or one is still owned.
    bool Start(CheckContext& check, HWND notify, CheckJob job);
    bool IsStarted() const { return static_cast<bool>(thread_); }
    // True once the thread has ended (also when none was started).
    bool HasEnded() const;
    // Waits for the thread to end and releases it.
    void Join();

private:
    struct Launch;
    static DWORD WINAPI ThreadProc(LPVOID parameter);

    UniqueHandle thread_;
    CheckContext* check_ = nullptr;
};
