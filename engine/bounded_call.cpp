#include "engine/bounded_call.h"

namespace {

DWORD WINAPI OwnThread(LPVOID parameter)
{
    std::unique_ptr<std::function<void()>> work(static_cast<std::function<void()>*>(parameter));
    try {
        (*work)();
    } catch (...) {
        // nobody to tell: the work hands over what it has itself
    }
    return 0;
}

}  // namespace

bool RunOnOwnThread(std::function<void()> work)
{
    auto owned = std::make_unique<std::function<void()>>(std::move(work));
    const UniqueHandle thread(CreateThread(nullptr, 0, OwnThread, owned.get(), 0, nullptr));
    if (!thread)
        return false;
    owned.release();   // the thread's now
    return true;
}

CallWait CallHandOver::Wait(const CheckContext& check, ULONGLONG deadline)
{
    for (;;) {
        if (WaitForSingleObject(done_.Get(), kStopPollMs) == WAIT_OBJECT_0)
            return CallWait::Done;
        const bool stopped = check.IsStopRequested();
        if (stopped || GetTickCount64() >= deadline) {
            std::lock_guard<std::mutex> hold(lock_);
            if (WaitForSingleObject(done_.Get(), 0) == WAIT_OBJECT_0)
                return CallWait::Done;   // it finished just now
            left_ = true;
            return stopped ? CallWait::Stopped : CallWait::TimedOut;
        }
    }
}
