// Paints a tab control in an appearance style: the strip behind the tabs, the tab
// faces (the selected one raised and open towards its page), their images and texts,
// and the page frame. Child windows (the pages' forms) are left alone.
#pragma once
#include <windows.h>

#include "appearance/appearance_styles.h"

namespace appearance {

// True when the control has the layout PaintTabControl draws: tabs along the top,
// not buttons. Other layouts keep the control's own painting.
bool CanPaintTabControl(HWND tab);

void PaintTabControl(HWND tab, HDC dc, const AppearanceStyle& style);

}  // namespace appearance
