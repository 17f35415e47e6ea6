// Calls that may block for long (a name server or a domain controller that does not
// answer, a computer that never connects), made on a thread of their own so that the check
// can leave them: the wait ends when the call returns, when the check is stopped (within
// kStopPollMs) or at its deadline. A call that is left runs on, and its thread drops
// whatever it returns.
#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <mutex>
#include <utility>

#include "base/handles.h"
#include "engine/check_context.h"

enum class CallWait { Done, Stopped, TimedOut };

// The meeting point of a check that waits and the thread that makes its call.
class CallHandOver {
public:
    CallHandOver() : done_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}
    CallHandOver(const CallHandOver&) = delete;
    CallHandOver& operator=(const CallHandOver&) = delete;

    bool IsValid() const { return static_cast<bool>(done_); }

    // On the call's thread, once the call has returned: runs `deliver` while the check still
    // waits, then wakes it. False when the check had left (nothing delivered).
    template <class Deliver>
    bool Finish(Deliver&& deliver)
    {
        std::lock_guard<std::mutex> hold(lock_);
        if (!left_)
            deliver();
        SetEvent(done_.Get());
        return !left_;
    }

    // On the check's side: Done once the call has finished; Stopped or TimedOut when the
    // check was stopped or `deadline` (a GetTickCount64 time) passed first: the call is
    // left then.
    CallWait Wait(const CheckContext& check, ULONGLONG deadline);

private:
    std::mutex lock_;
    bool left_ = false;
    UniqueHandle done_;
};

// Runs `work` on a thread of its own that nobody waits for; false when no thread could be
// made (`work` did not run).
bool RunOnOwnThread(std::function<void()> work);

// Runs `call` (returning a Result) on a thread of its own and waits for it as
// CallHandOver::Wait does; Done with what it returned in `result`. Where no thread can be
// made, the call runs on the calling thread.
template <class Result, class Call>
CallWait CallBounded(const CheckContext& check, ULONGLONG deadline, Call call, Result& result)
{
    struct Shared {
        CallHandOver handOver;
        Result result{};
    };
    auto shared = std::make_shared<Shared>();
    const bool started = shared->handOver.IsValid() && RunOnOwnThread([shared, call]() mutable {
        try {
            Result returned = call();
            shared->handOver.Finish([&] { shared->result = std::move(returned); });
        } catch (...) {
            shared->handOver.Finish([] {});   // the result stays empty
        }
    });
    if (!started) {
        result = call();
        return CallWait::Done;
    }
    const CallWait wait = shared->handOver.Wait(check, deadline);
    if (wait == CallWait::Done)
        result = std::move(shared->result);
    return wait;
}
