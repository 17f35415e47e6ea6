#include "ui/subclassed_control.h"

namespace ui {

// One subclass procedure serves every SubclassedControl; the object is both the
// subclass id (so that two objects may subclass one control) and the reference data.

SubclassedControl::~SubclassedControl()
{
    Detach();
}

bool SubclassedControl::Attach(HWND control)
{
    if (hwnd_ || !control)
        return false;
    if (!AddSubclass(control, SubclassProc, reinterpret_cast<UINT_PTR>(this), reinterpret_cast<DWORD_PTR>(this)))
        return false;
    hwnd_ = control;
    return true;
}

void SubclassedControl::Detach()
{
    if (hwnd_)
        RemoveSubclass(hwnd_, SubclassProc, reinterpret_cast<UINT_PTR>(this));
    hwnd_ = nullptr;
}

LRESULT CALLBACK SubclassedControl::SubclassProc(HWND window, UINT message, WPARAM wParam,
                                                 LPARAM lParam, UINT_PTR, DWORD_PTR reference)
{
    auto* self = reinterpret_cast<SubclassedControl*>(reference);
    LRESULT result = 0;
    try {
        result = self->OnMessage(message, wParam, lParam);
    } catch (...) {
        result = CallNextSubclass(window, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY)
        self->Detach();
    return result;
}

}  // namespace ui
