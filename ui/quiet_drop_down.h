// A drop-down combo box (CBS_DROPDOWN) that offers its list only while it holds entries:
// with none, a click on its button and F4 or Alt+Down in its field open nothing, instead
// of an empty white box. Typing in the field works as ever.
#pragma once
#include <windows.h>

#include "ui/subclassed_control.h"

namespace ui {

class QuietDropDown : public SubclassedControl {
public:
    // A key message for the combo's field that would open the list while it is empty:
    // the caller swallows it.
    bool IsEmptyOpenKey(const MSG& message) const;

protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    bool IsEmpty() const;
};

}  // namespace ui
