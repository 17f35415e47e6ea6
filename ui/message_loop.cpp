#include "ui/message_loop.h"

#include <commctrl.h>

#include <mutex>
#include <unordered_map>
#include <vector>

namespace ui {
namespace {

// Subclass id of the watcher that ends a registration when its window goes away.
constexpr UINT_PTR kFilterWatcherId = 0x4D46;  // "MF"

std::mutex g_filtersLock;
std::unordered_map<HWND, MessageFilter*> g_filters;

MessageFilter* FindFilter(HWND window)
{
    std::lock_guard<std::mutex> guard(g_filtersLock);
    auto found = g_filters.find(window);
    return found == g_filters.end() ? nullptr : found->second;
}

bool EraseFilter(HWND window)
{
    std::lock_guard<std::mutex> guard(g_filtersLock);
    return g_filters.erase(window) != 0;
}

LRESULT CALLBACK FilterWatcherProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                   UINT_PTR id, DWORD_PTR)
{
    if (message == WM_NCDESTROY) {
        EraseFilter(window);
        RemoveWindowSubclass(window, FilterWatcherProc, id);
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

// The next window outward: the parent of a child window; top-level windows end the walk.
HWND OuterWindow(HWND window)
{
    return (GetWindowLongPtrW(window, GWL_STYLE) & WS_CHILD) ? GetParent(window) : nullptr;
}

bool OfferToFilter(HWND window, MSG& message)
{
    MessageFilter* filter = FindFilter(window);
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
    if (!window || !filter || !IsWindow(window))
        return false;
    if (!SetWindowSubclass(window, FilterWatcherProc, kFilterWatcherId, 0))
        return false;
    std::lock_guard<std::mutex> guard(g_filtersLock);
    g_filters[window] = filter;
    return true;
}

void UnregisterMessageFilter(HWND window)
{
    if (EraseFilter(window))
        RemoveWindowSubclass(window, FilterWatcherProc, kFilterWatcherId);
}

void UnregisterMessageFilter(MessageFilter* filter)
{
    std::vector<HWND> windows;
    {
        std::lock_guard<std::mutex> guard(g_filtersLock);
        for (auto entry = g_filters.begin(); entry != g_filters.end();) {
            if (entry->second == filter) {
                windows.push_back(entry->first);
                entry = g_filters.erase(entry);
            } else {
                ++entry;
            }
        }
    }
    for (HWND window : windows)
        RemoveWindowSubclass(window, FilterWatcherProc, kFilterWatcherId);
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
