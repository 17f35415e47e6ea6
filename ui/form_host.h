// What a form inside the main view's tab control needs of the windows around it, so that
// a form knows nothing of the frame or the view that host it.
#pragma once
#include <windows.h>

namespace ui {

class FormHost {
public:
    virtual ~FormHost() = default;
    // The tab control whose page the form fills (Shift+Tab from the form's first control
    // goes there).
    virtual HWND TabControl() const = 0;
    // The computer-name field (Tab from the form's last control goes there).
    virtual HWND NameField() const = 0;
    // Offers a key message to the program's shortcuts; true when it was one and its
    // command went out.
    virtual bool TranslateShortcut(MSG& message) = 0;
};

}  // namespace ui
