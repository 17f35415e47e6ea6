#include "ui/message_loop.h"

#include <commctrl.h>

#include <algorithm>
#include <utility>

namespace ui {
namespace {

// Subclass id of the watcher that ends a window's registration when the window goes away.
constexpr UINT_PTR kFilterWatcherId = 0x4D46;  // "MF"
// The window property that holds the window's filter.
constexpr wchar_t kFilterProperty[] = L"Mirel.MessageFilter";

}  // namespace

struct FilterRegistrations {
    static LRESULT CALLBACK WatcherProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                        DWORD_PTR)
    {
        if (message == WM_NCDESTROY)
            Remove(window);
        return DefSubclassProc(window, message, wParam, lParam);
    }

    static MessageFilter* Find(HWND window)
    {
        return static_cast<MessageFilter*>(GetPropW(window, kFilterProperty));
    }

    static bool Add(HWND window, MessageFilter* filter)
    {
        MessageFilter* previous = Find(window);
        if (!SetWindowSubclass(window, WatcherProc, kFilterWatcherId, 0) || !SetPropW(window, kFilterProperty, filter))
            return false;
        if (previous)
            Forget(previous, window);
        filter->windows_.push_back(window);
        return true;
    }

    static void Remove(HWND window)
    {
        if (MessageFilter* filter = static_cast<MessageFilter*>(RemovePropW(window, kFilterProperty)))
            Forget(filter, window);
        RemoveWindowSubclass(window, WatcherProc, kFilterWatcherId);
    }

    static void RemoveAll(MessageFilter* filter)
    {
        for (HWND window : std::exchange(filter->windows_, {})) {
            RemovePropW(window, kFilterProperty);
            RemoveWindowSubclass(window, WatcherProc, kFilterWatcherId);
        }
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
