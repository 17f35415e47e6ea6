// The window program's layout between sessions, stored beside "ApplicationLook": the
// frame's place, size and maximised state, the category tree's width, the column widths
// the user set, and the size and maximised state of the window that checks several
// computers. Read at start, written when the frame closes.
//
// Sizes and widths are kept in 96-dpi units and scaled to the dpi of the session that
// reads them, so that a layout saved at 144 dpi opens alike at 96 dpi. A layout of an
// older build, which kept pixels under other names, is read as pixels of today's dpi.
#pragma once
#include <windows.h>

#include <string>

// A window's size (in pixels at the session's dpi; 0: none stored) and maximised state.
struct WindowShape {
    int width = 0;
    int height = 0;
    bool maximized = false;
};

struct StoredLayout {
    bool hasPlacement = false;
    RECT normal{};            // the frame's restored rectangle (workspace coordinates)
    bool maximized = false;
    int treeWidth = 0;        // 0: none stored
    std::string standardWidths;     // ColumnWidthMemory::ToText of the standard pages
    std::string individualWidths;   // ... of the individual list
    WindowShape several;            // the window that checks several computers
};

// What is stored under `subKey` of `root`, in pixels at `dpi`; parts missing or
// unreadable stay empty.
StoredLayout ReadLayout(HKEY root, const std::string& subKey, UINT dpi);
// `layout` is in pixels at `dpi`. False when the key cannot be created or a value not
// written.
bool WriteLayout(HKEY root, const std::string& subKey, const StoredLayout& layout, UINT dpi);

// A stored rectangle still worth restoring: a sensible size, and on a monitor that is
// there now (a screen that was unplugged leaves none).
bool IsUsablePlacement(const RECT& rect);
