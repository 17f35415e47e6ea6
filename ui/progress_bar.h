// ProgressBar: a progress bar control (msctls_progress32).
#pragma once
#include <windows.h>
#include <commctrl.h>

#include "ui/window.h"

namespace ui {

class ProgressBar : public Window {
public:
    using Window::Window;

    // 0..`maximum` (32-bit range).
    void SetRange(int maximum) const { SendMsg(PBM_SETRANGE32, 0, maximum); }
    void SetPos(int position) const { SendMsg(PBM_SETPOS, position); }
    int Pos() const { return static_cast<int>(SendMsg(PBM_GETPOS)); }
};

// UpDown: the arrows beside a number field (msctls_updown32) that keep it in a range.
class UpDown : public Window {
public:
    using Window::Window;

    void SetRange(int minimum, int maximum) const { SendMsg(UDM_SETRANGE32, minimum, maximum); }
    void SetPos(int position) const { SendMsg(UDM_SETPOS32, 0, position); }
};

}  // namespace ui
