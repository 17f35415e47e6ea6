// SubclassedControl: the base of controls that handle some of their own messages
// (keys of an edit field, reflected notifications of a list, ...).
//
// Attach() subclasses an existing control (ui::AddSubclass, the SetWindowSubclass contract
// without window properties), with this object as the reference data (the control's own
// GWLP_USERDATA is left alone). Every message
// reaches the virtual OnMessage; DefaultProc hands it on to the control. The subclass
// ends at WM_NCDESTROY, or at Detach() or the object's destruction, whichever is first.
#pragma once
#include <windows.h>

#include "ui/subclass_chain.h"
#include "ui/window.h"

namespace ui {

class SubclassedControl : public Window {
public:
    SubclassedControl() = default;
    virtual ~SubclassedControl();
    SubclassedControl(const SubclassedControl&) = delete;
    SubclassedControl& operator=(const SubclassedControl&) = delete;

    // Subclasses `control` (call on the control's thread); false on failure or when
    // this object is attached already.
    bool Attach(HWND control);
    void Detach();

protected:
    virtual LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
    {
        return DefaultProc(message, wParam, lParam);
    }
    LRESULT DefaultProc(UINT message, WPARAM wParam, LPARAM lParam)
    {
        return CallNextSubclass(hwnd_, message, wParam, lParam);
    }

private:
    static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR id, DWORD_PTR self);
};

}  // namespace ui
