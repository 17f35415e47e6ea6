#include "ui/message_loop.h"

#include <algorithm>
#include <utility>

#include "ui/subclass_chain.h"

namespace ui {
namespace {

// Subclass id of the watcher that holds a window's filter and ends the registration when
// the window goes away.
constexpr UINT_PTR kFilterWatcherId = 0x4D46;  // "MF"

}  // namespace

struct FilterRegistrations {
    static LRESULT CALLBACK WatcherProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                        DWORD_PTR)
    {
        if (message == WM_NCDESTROY)
            Remove(window);
        return CallNextSubclass(window, message, wParam, lParam);
    }

    static MessageFilter* Find(HWND window)
    {
        DWORD_PTR filter = 0;
        return FindSubclass(window, WatcherProc, kFilterWatcherId, &filter) ? reinterpret_cast<MessageFilter*>(filter)
                                                                           : nullptr;
    }

    static bool Add(HWND window, MessageFilter* filter)
    {
        MessageFilter* previous = Find(window);
        if (!AddSubclass(window, WatcherProc, kFilterWatcherId, reinterpret_cast<DWORD_PTR>(filter)))
            return false;
        if (previous)
            Forget(previous, window);
        filter->windows_.push_back(window);
        return true;
    }

    static void Remove(HWND window)
    {
        if (MessageFilter* filter = Find(window))
            Forget(filter, window);
        RemoveSubclass(window, WatcherProc, kFilterWatcherId);
    }

    static void RemoveAll(MessageFilter* filter)
    {
        for (HWND window : std::exchange(filter->windows_, {}))
            RemoveSubclass(window, WatcherProc, kFilterWatcherId);
    }

private:
    static void Forget(MessageFilter* filter, HWND window)
    {
        auto& windows = filter->windows_;
        windows.erase(std::remove(windows.begin(), windows.end(), window), windows.end());
    }
};

namespace {

// The next window outward: the parent of a child window; top-level windows end the walk.
HWND OuterWindow(HWND window)
{
    return (GetWindowLongPtrW(window, GWL_STYLE) & WS_CHILD) ? GetParent(window) : nullptr;
}

bool OfferToFilter(HWND window, MSG& message)
{
    MessageFilter* filter = FilterRegistrations::Find(window);
    if (!filter)
        return false;
    try {
        return filter->PreTranslateMessage(message);
    } catch (...) {
        return false;  // a failing filter lets the message take its normal course
    }
}

}  // namespace

MessageFilter::~MessageFilter()
{
    UnregisterMessageFilter(this);
}

bool RegisterMessageFilter(HWND window, MessageFilter* filter)
{
    return window && filter && IsWindow(window) && FilterRegistrations::Add(window, filter);
}

void UnregisterMessageFilter(HWND window)
{
    FilterRegistrations::Remove(window);
}

void UnregisterMessageFilter(MessageFilter* filter)
{
    FilterRegistrations::RemoveAll(filter);
}

bool PreTranslate(MSG& message)
{
    for (HWND window = message.hwnd; window; window = OuterWindow(window)) {
        if (OfferToFilter(window, message))
            return true;
    }
    return false;
}

void ProcessMessage(MSG& message)
{
    if (PreTranslate(message))
        return;
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

int RunMessageLoop()
{
    MSG message{};
    for (;;) {
        BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == 0 || got == -1)
            break;
        ProcessMessage(message);
    }
    return static_cast<int>(message.wParam);
}

bool PumpMessagesUntil(const std::function<bool()>& done, DWORD timeoutMs)
{
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        MSG message{};
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                PostQuitMessage(static_cast<int>(message.wParam));
                return done();
            }
            ProcessMessage(message);
            if (done())
                return true;
        }
        if (done())
            return true;
        ULONGLONG now = GetTickCount64();
        if (now >= deadline)
            return false;
        MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(deadline - now), QS_ALLINPUT,
                                    MWMO_INPUTAVAILABLE);
    }
}

}  // namespace ui
