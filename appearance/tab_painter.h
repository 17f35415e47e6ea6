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
// The two parts of PaintTabControl. The page (its fill and frame) is mostly hidden by the
// page's form, so it is painted straight into a DC that leaves the children out; the strip
// of tabs, with its texts, is the part worth painting off screen first.
RECT TabStripRect(HWND tab);
void PaintTabPage(HWND tab, HDC dc, const AppearanceStyle& style);
void PaintTabStrip(HWND tab, HDC dc, const AppearanceStyle& style);

}  // namespace appearance
