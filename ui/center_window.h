// Placing a popup (dialog box, file dialog, help window) over the window it belongs to,
// where a user's eyes are, instead of at the screen's corner.
#pragma once
#include <windows.h>

namespace ui {

// Moves `popup` so that its centre lies on the centre of `owner`'s top-level window,
// kept inside the work area of the monitor that shows the owner. Nothing happens without
// an owner.
void CenterOnOwner(HWND popup, HWND owner);

}  // namespace ui
