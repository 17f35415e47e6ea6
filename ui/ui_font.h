// The user-interface font of the system (the message font that SystemParametersInfo
// names, the one list views of the system's own programs use), and room for it: some
// fonts (Japanese ones especially) draw the underscore on the last pixel row of their
// cell, which a control that clips text to the font's height cuts off.
#pragma once
#include <windows.h>

#include "base/handles.h"

namespace ui {

// The system's message font, unless it draws no underscore (some Japanese fonts have
// none at interface sizes, and "my_pc_01" would read "my pc 01"): then the first of a few
// interface fonts of the same size that draws it and the scripts the system's font
// draws. An empty owner when the system names no font.
UniqueFont CreateSystemUiFont();

// Whether `font` puts any ink on the screen for an underscore.
bool DrawsUnderscore(HFONT font);

// The height of a text row in `control`'s font with room below the baseline, so that
// underscores stay visible: the font's height and a quarter of it, at least 3 pixels.
int RoomyRowHeight(HWND control);

// A drop-down list whose field and entries are RoomyRowHeight high.
void FitComboRowsToFont(HWND comboBox);

}  // namespace ui
