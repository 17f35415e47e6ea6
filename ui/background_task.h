// Work that must not hold up a window (reading a database, a file, a server) runs on a
// thread of its own; what it found comes back to the window as a posted message, and the
// window's thread then runs the continuation the work returned. Every window of the
// program's window layer runs such continuations; one destroyed before the answer came
// drops it unrun.
#pragma once
#include <windows.h>

#include <functional>

namespace ui {

// Carries a std::function<void()>* in lParam; the window that receives it runs it once.
inline constexpr UINT WM_POSTED_TASK = WM_APP + 60;

using Continuation = std::function<void()>;
using BackgroundWork = std::function<Continuation()>;

// Runs `work` on a new thread and posts its continuation (when not empty) to `window`.
// False when no thread could be started (nothing runs then).
bool RunInBackground(HWND window, BackgroundWork work);

// Posts `continuation` to `window`; false (and nothing runs) when the window is gone.
bool PostContinuation(HWND window, Continuation continuation);

// For WM_POSTED_TASK: runs the continuation of lParam and frees it.
void RunPostedContinuation(LPARAM lParam);
// For WM_NCDESTROY: frees the continuations still queued for `window`, unrun.
void DropPostedContinuations(HWND window);

}  // namespace ui
