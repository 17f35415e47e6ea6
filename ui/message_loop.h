// Message pre-translation and the message loop.
//
// A window may have one MessageFilter. Before a queued message is translated and
// dispatched, it is offered to the filter of its target window, then to the filters
// of the target's parents from the innermost outward; the first filter that returns
// true consumes the message, which is then neither translated nor dispatched. This is
// where keys are intercepted before dialog navigation (a Dialog's own filter runs
// IsDialogMessage) and where accelerators are translated.
#pragma once
#include <windows.h>

#include <functional>
#include <vector>

namespace ui {

class MessageFilter {
public:
    // True: the message was handled and goes no further.
    virtual bool PreTranslateMessage(MSG& message) = 0;

protected:
    MessageFilter() = default;
    MessageFilter(const MessageFilter&) = delete;
    MessageFilter& operator=(const MessageFilter&) = delete;
    // A filter that goes away unregisters itself from every window.
    virtual ~MessageFilter();

private:
    friend struct FilterRegistrations;
    // The windows this filter is registered with. The registration itself is the window's
    // (a window property, and a subclass that ends it with the window), so no table outside
    // the windows holds them.
    std::vector<HWND> windows_;
};

// Gives `window` its filter (replacing an earlier one). The registration ends by
// itself when the window is destroyed. Call these on the window's own thread.
bool RegisterMessageFilter(HWND window, MessageFilter* filter);
void UnregisterMessageFilter(HWND window);
// Removes every registration of `filter`.
void UnregisterMessageFilter(MessageFilter* filter);

// Offers `message` to the filters of its window and the window's parents, innermost
// first; true when one of them consumed it.
bool PreTranslate(MSG& message);

// Pre-translates one retrieved message and, unless consumed, translates and
// dispatches it.
void ProcessMessage(MSG& message);

// Runs the thread's message loop until WM_QUIT; returns the quit code.
int RunMessageLoop();

// Processes the thread's messages until `done` returns true or `timeoutMs`
// milliseconds have passed; returns the last answer of `done`. A WM_QUIT met on the
// way is posted again and ends the wait.
bool PumpMessagesUntil(const std::function<bool()>& done, DWORD timeoutMs);

}  // namespace ui
