#include "shell/app_windows.h"

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

std::string StatusText()
{
    ui::StatusBar statusBar(TheApp().statusBar);
    return statusBar.IsValid() ? statusBar.PartText(0) : std::string();
}
