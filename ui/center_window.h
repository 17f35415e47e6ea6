// Placing a popup (dialog box, file dialog, help window) over the window it belongs to,
// where a user's eyes are, instead of at the screen's corner.
#pragma once
#include <windows.h>

namespace ui {

// Moves `popup` so that its centre lies on the centre of `owner`'s top-level window,
// kept inside the work area of the monitor that shows the owner. Nothing happens without
// an owner.
void CenterOnOwner(HWND popup, HWND owner);

// `wanted` (screen coordinates) reduced to the work area of the monitor it lies most on
// (the nearest one when none) and moved onto it, so that its frame, caption and status
// bar can all be reached.
RECT FitIntoWorkArea(const RECT& wanted);

// The same for a window's restored rectangle (WINDOWPLACEMENT::rcNormalPosition), which
// is in workspace coordinates: relative to the primary monitor's work area.
RECT FitPlacementIntoWorkArea(const RECT& normal);

}  // namespace ui
