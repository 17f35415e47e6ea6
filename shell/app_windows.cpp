#include "shell/app_windows.h"

#include <commctrl.h>

#include "ui/status_bar.h"

AppWindows& TheApp()
{
    static AppWindows windows;
    return windows;
}

void ShowStatusText(const std::string& text)
{
    ui::StatusBar statusBar(TheApp().statusBar);
    if (!statusBar.IsValid())
        return;
    statusBar.SetPartText(0, text);
    RedrawWindow(statusBar.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void ShowCheckProgress(int done, int total)
{
    HWND bar = TheApp().progressBar;
    if (!bar)
        return;
    if (total < 0) {
        SendMessageW(bar, PBM_SETMARQUEE, FALSE, 0);
        ShowWindow(bar, SW_HIDE);
        return;
    }
    const bool marquee = total == 0;
    const LONG_PTR style = GetWindowLongPtrW(bar, GWL_STYLE);
    if (((style & PBS_MARQUEE) != 0) != marquee)
        SetWindowLongPtrW(bar, GWL_STYLE, marquee ? style | PBS_MARQUEE : style & ~PBS_MARQUEE);
    if (marquee) {
        SendMessageW(bar, PBM_SETMARQUEE, TRUE, 30);
    } else {
        SendMessageW(bar, PBM_SETMARQUEE, FALSE, 0);
        SendMessageW(bar, PBM_SETRANGE32, 0, total);
        SendMessageW(bar, PBM_SETPOS, static_cast<WPARAM>(done), 0);
    }
    if (!IsWindowVisible(bar))
        ShowWindow(bar, SW_SHOWNA);
}

std::string StatusText()
{
    ui::StatusBar statusBar(TheApp().statusBar);
    return statusBar.IsValid() ? statusBar.PartText(0) : std::string();
}
