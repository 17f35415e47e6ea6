// Button: a push button, check box or radio button.
#pragma once
#include <windows.h>

#include "ui/window.h"

namespace ui {

class Button : public Window {
public:
    using Window::Window;

    bool IsChecked() const { return SendMsg(BM_GETCHECK) == BST_CHECKED; }
    void SetCheck(bool checked) const { SendMsg(BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED); }
    // Acts as a mouse click: the parent receives BN_CLICKED.
    void Click() const { SendMsg(BM_CLICK); }
};

}  // namespace ui
