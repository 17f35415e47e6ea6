// Help > Help Topics: the program's help page in the user's language, in a window of its
// own beside the main window (the user may read it while working), centred on it. The
// window can be sized; the text flows with its width.
#pragma once
#include <windows.h>

#include <string>

#include "ui/dialog.h"

class HelpWindow : public ui::Dialog {
public:
    HelpWindow();

    // Shows the window, creating it the first time; a second call brings it to the front.
    bool Open(HWND owner);
    bool IsOpen() const { return hwnd_ && IsWindow(hwnd_); }

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;
    void OnSize(UINT type, int width, int height) override;
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    SIZE minimum_{};   // the size the window opened with: the least it can be made
};

// The help page of the text language (resources/text.h), lines ending in CR LF; empty
// when the program has none. A line is a paragraph: the edit control breaks it to fit.
std::wstring LoadHelpText();
