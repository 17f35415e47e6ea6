// The hourglass while the window's thread is busy.
#pragma once
#include <windows.h>

namespace ui {

// Shows the hourglass for its lifetime and then puts the previous cursor back.
class WaitCursor {
public:
    WaitCursor() : previous_(SetCursor(LoadCursor(nullptr, IDC_WAIT))) {}
    ~WaitCursor() { SetCursor(previous_); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    HCURSOR previous_;
};

}  // namespace ui
