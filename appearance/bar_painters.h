// Paints the toolbar and the status bar in an appearance style.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include "appearance/appearance_styles.h"

namespace appearance {

// The toolbar's background (WM_ERASEBKGND of the toolbar): the style's gradient and a
// border line along the bottom edge.
void PaintToolBarBackground(HWND toolBar, HDC dc, const AppearanceStyle& style);

// Answers the toolbar's NM_CUSTOMDRAW (sent to its parent): hot and pressed buttons in
// the style's colours, separators as lines of the style. Returns the notification's result.
LRESULT ToolBarCustomDraw(NMTBCUSTOMDRAW& draw, const AppearanceStyle& style);

// The whole status bar (its WM_PAINT): gradient background, every pane's border and
// text (alignment tabs honoured, owner-drawn panes sent to the parent as WM_DRAWITEM),
// simple mode and the size grip.
void PaintStatusBar(HWND statusBar, HDC dc, const AppearanceStyle& style);

}  // namespace appearance
