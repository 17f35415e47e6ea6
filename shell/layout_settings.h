// The window program's layout between sessions, stored beside "ApplicationLook": the
// frame's place, size and maximised state, the category tree's width and the column
// widths the user set. Read at start, written when the frame closes.
#pragma once
#include <windows.h>

#include <string>

struct StoredLayout {
    bool hasPlacement = false;
    RECT normal{};            // the frame's restored rectangle (workspace coordinates)
    bool maximized = false;
    int treeWidth = 0;        // 0: none stored
    std::string standardWidths;     // ColumnWidthMemory::ToText of the standard pages
    std::string individualWidths;   // ... of the individual list
};

// What is stored under `subKey` of `root`; parts missing or unreadable stay empty.
StoredLayout ReadLayout(HKEY root, const std::string& subKey);
// False when the key cannot be created or a value not written.
bool WriteLayout(HKEY root, const std::string& subKey, const StoredLayout& layout);

// A stored rectangle still worth restoring: a sensible size, and on a monitor that is
// there now (a screen that was unplugged leaves none).
bool IsUsablePlacement(const RECT& rect);
