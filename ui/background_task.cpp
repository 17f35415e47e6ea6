#include "ui/background_task.h"

#include <memory>
#include <thread>

namespace ui {

bool PostContinuation(HWND window, Continuation continuation)
{
    auto posted = std::make_unique<Continuation>(std::move(continuation));
    if (!PostMessageW(window, WM_POSTED_TASK, 0, reinterpret_cast<LPARAM>(posted.get())))
        return false;
    posted.release();   // the window's thread frees it
    return true;
}

bool RunInBackground(HWND window, BackgroundWork work)
{
    try {
        std::thread([window, work = std::move(work)] {
            try {
                Continuation continuation = work();
                if (continuation)
                    PostContinuation(window, std::move(continuation));
            } catch (...) {
                // No exception leaves the thread; the window hears nothing of this work.
            }
        }).detach();
        return true;
    } catch (...) {
        return false;
    }
}

void RunPostedContinuation(LPARAM lParam)
{
    std::unique_ptr<Continuation> continuation(reinterpret_cast<Continuation*>(lParam));
    if (continuation && *continuation)
        (*continuation)();
}

void DropPostedContinuations(HWND window)
{
    // PeekMessage hands out WM_QUIT whatever the filter: a window destroyed after the
    // program's quit was posted must put it back, or the program never ends.
    MSG message;
    while (PeekMessageW(&message, window, WM_POSTED_TASK, WM_POSTED_TASK, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        delete reinterpret_cast<Continuation*>(message.lParam);
    }
}

}  // namespace ui
