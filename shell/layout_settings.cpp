#include "shell/layout_settings.h"

#include <cstdio>

#include "base/registry_values.h"

namespace {

constexpr char kPlacementValue[] = "WindowPlacement";
constexpr char kTreeWidthValue[] = "TreeWidth";
constexpr char kStandardWidthsValue[] = "StandardColumnWidths";
constexpr char kIndividualWidthsValue[] = "IndividualColumnWidths";
constexpr int kMinimumSize = 120;
constexpr int kMaximumCoordinate = 100000;

bool ReadPlacement(const std::string& text, StoredLayout& layout)
{
    long left = 0, top = 0, right = 0, bottom = 0;
    int maximized = 0;
    char extra = 0;
    if (std::sscanf(text.c_str(), "%ld,%ld,%ld,%ld,%d%c", &left, &top, &right, &bottom, &maximized, &extra) != 5)
        return false;
    for (long coordinate : {left, top, right, bottom})
        if (coordinate < -kMaximumCoordinate || coordinate > kMaximumCoordinate)
            return false;
    layout.normal = RECT{left, top, right, bottom};
    layout.maximized = maximized != 0;
    return true;
}

}  // namespace

StoredLayout ReadLayout(HKEY root, const std::string& subKey)
{
    StoredLayout layout;
    const UniqueKey key = OpenSettingsKey(root, subKey);
    if (!key)
        return layout;
    std::string placement;
    layout.hasPlacement = ReadTextValue(key.Get(), kPlacementValue, placement) && ReadPlacement(placement, layout);
    DWORD width = 0;
    if (ReadNumberValue(key.Get(), kTreeWidthValue, width) && width < 4096)
        layout.treeWidth = static_cast<int>(width);
    ReadTextValue(key.Get(), kStandardWidthsValue, layout.standardWidths);
    ReadTextValue(key.Get(), kIndividualWidthsValue, layout.individualWidths);
    return layout;
}

bool WriteLayout(HKEY root, const std::string& subKey, const StoredLayout& layout)
{
    const UniqueKey key = CreateSettingsKey(root, subKey);
    if (!key)
        return false;
    bool written = true;
    if (layout.hasPlacement) {
        char text[96];
        std::snprintf(text, sizeof text, "%ld,%ld,%ld,%ld,%d", layout.normal.left, layout.normal.top,
                      layout.normal.right, layout.normal.bottom, layout.maximized ? 1 : 0);
        written &= WriteTextValue(key.Get(), kPlacementValue, text);
    }
    if (layout.treeWidth > 0)
        written &= WriteNumberValue(key.Get(), kTreeWidthValue, static_cast<DWORD>(layout.treeWidth));
    written &= WriteTextValue(key.Get(), kStandardWidthsValue, layout.standardWidths);
    written &= WriteTextValue(key.Get(), kIndividualWidthsValue, layout.individualWidths);
    return written;
}

bool IsUsablePlacement(const RECT& rect)
{
    if (rect.right - rect.left < kMinimumSize || rect.bottom - rect.top < kMinimumSize)
        return false;
    // The title bar's middle must lie on a monitor, or the user could not grab the window.
    RECT caption{rect.left + kMinimumSize / 4, rect.top, rect.right - kMinimumSize / 4, rect.top + kMinimumSize / 4};
    return MonitorFromRect(&caption, MONITOR_DEFAULTTONULL) != nullptr;
}
