// The state one check shares between the user interface thread and its worker.
#pragma once
#include <windows.h>

#include <atomic>
#include <mutex>
#include <string>

// WM_CHECK_COMPLETE: posted by the worker to the result view when a check has ended.
inline constexpr UINT WM_CHECK_COMPLETE = WM_USER + 1;

inline constexpr int kNoCheck = 0;
inline constexpr int kStandardCheck = 1;
inline constexpr int kIndividualCheck = 2;

// The progress line of the running check. The worker writes it, the user interface
// reads it from its timer; the lock keeps a reader from seeing a half-written text.
class SharedText {
public:
    void Set(std::string text);
    std::string Get() const;
    void Clear() { Set({}); }

private:
    mutable std::mutex lock_;
    std::string text_;
};

struct RunState {
    std::string TargetComputer;      // trimmed computer name of the last Run; empty = local
    std::string SelectedClassName;   // Level 3 text at the last individual Run
    int SelectedClassId = 0;         // class identifier at the last individual Run
    HWND ResultView = nullptr;       // receives WM_CHECK_COMPLETE
    HANDLE WorkerThread = nullptr;   // the running worker
    UINT_PTR ProgressTimer = 0;      // progress timer of the main view
    std::atomic<int> RunningCheck{kNoCheck};
    std::atomic<int> StopRequested{0};
    SharedText StatusText;

    bool IsStopRequested() const { return StopRequested.load(std::memory_order_relaxed) == 1; }
};

// The process-wide run state.
RunState& GetRunState();

// Restores the initial values (program start, and between tests).
void ResetRunState();
