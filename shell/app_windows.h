// The program's main windows, recorded at start-up so that every part of the program
// reaches them: the frame, the main view with its tab control and computer-name field,
// the two forms, and the status bar.
#pragma once
#include <windows.h>

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
};

AppWindows& TheApp();

// Sets the message pane of the status bar and repaints it at once.
void ShowStatusText(const std::string& text);

// The message pane's text (tests and the frame's idle handling).
std::string StatusText();
