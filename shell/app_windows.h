// The program's main windows, recorded at start-up so that every part of the program
// reaches them: the frame, the main view with its tab control and computer-name field,
// the two forms, and the status bar.
#pragma once
#include <windows.h>

#include <memory>
#include <string>

class MainFrame;
class MainView;
class FormStandard;
class FormIndividual;

struct AppWindows {
    MainFrame* frame = nullptr;
    MainView* view = nullptr;
    FormStandard* standardForm = nullptr;
    FormIndividual* individualForm = nullptr;
    HWND tabControl = nullptr;
    HWND nameField = nullptr;
    HWND statusBar = nullptr;   // null when the status bar could not be created
    HWND progressBar = nullptr; // in the status bar's message pane, shown during a check
};

AppWindows& TheApp();

// Sets the message pane of the status bar and repaints it at once.
void ShowStatusText(const std::string& text);

// The timer of a window that follows a running check (the main view, the window that
// checks several computers); it fires every kProgressPeriodMs.
inline constexpr UINT_PTR kProgressTimerId = 1;

// The progress bar of a running check: `done` of `total` steps; total 0 for a check
// whose length is unknown (a moving marquee), a negative total hides the bar.
void ShowCheckProgress(int done, int total);

// The message pane's text (tests and the frame's idle handling).
std::string StatusText();

// A window of its own beside the main window (History, the questions, several computers):
// brought to the front when it is open, otherwise made anew by `make` and shown, owned by
// `owner`.
template <class ModelessWindow, class Make>
void ShowModelessWindow(std::unique_ptr<ModelessWindow>& window, HWND owner, Make make)
{
    if (window && window->IsValid()) {
        window->Show(SW_SHOWNORMAL);
        SetForegroundWindow(window->Handle());
        return;
    }
    window = make();
    if (window->CreateModeless(owner))
        window->Show(SW_SHOWNORMAL);
}
