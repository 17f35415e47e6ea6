#include "shell/layout_settings.h"

#include <cstdio>
#include <initializer_list>
#include <vector>

#include "base/registry_values.h"
#include "listtools/column_memory.h"

namespace {

// In 96-dpi units: "left,top,width,height,maximized" (the corner in pixels of the desktop).
constexpr char kPlacementValue[] = "WindowPlace";
constexpr char kTreeWidthValue[] = "TreeWidthAt96";
constexpr char kStandardWidthsValue[] = "StandardColumnWidthsAt96";
constexpr char kIndividualWidthsValue[] = "IndividualColumnWidthsAt96";
constexpr char kSeveralValue[] = "SeveralComputersWindow";   // "width,height,maximized"
// Older builds: pixels, the placement as "left,top,right,bottom,maximized".
constexpr char kPixelPlacementValue[] = "WindowPlacement";
constexpr char kPixelTreeWidthValue[] = "TreeWidth";
constexpr char kPixelStandardWidthsValue[] = "StandardColumnWidths";
constexpr char kPixelIndividualWidthsValue[] = "IndividualColumnWidths";

constexpr int kStoredDpi = 96;
constexpr int kMinimumSize = 120;
constexpr int kMaximumCoordinate = 100000;
constexpr DWORD kMaximumTreeWidth = 4096;

bool HasValue(HKEY key, const char* name)
{
    return RegQueryValueExA(key, name, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

std::string ReadText(HKEY key, const char* name)
{
    std::string text;
    ReadTextValue(key, name, text);
    return text;
}

int ReadWidth(HKEY key, const char* name)
{
    DWORD width = 0;
    if (!ReadNumberValue(key, name, width) || width >= kMaximumTreeWidth)
        return 0;
    return static_cast<int>(width);
}

bool InRange(std::initializer_list<long> coordinates)
{
    for (long coordinate : coordinates)
        if (coordinate < -kMaximumCoordinate || coordinate > kMaximumCoordinate)
            return false;
    return true;
}

// Five numbers separated by commas, nothing after them.
bool ReadFive(const std::string& text, long (&numbers)[5])
{
    char extra = 0;
    return std::sscanf(text.c_str(), "%ld,%ld,%ld,%ld,%ld%c", &numbers[0], &numbers[1], &numbers[2], &numbers[3],
                       &numbers[4], &extra) == 5 &&
           InRange({numbers[0], numbers[1], numbers[2], numbers[3]});
}

bool ReadPlacement(HKEY key, UINT dpi, StoredLayout& layout)
{
    long n[5] = {};
    if (HasValue(key, kPlacementValue)) {
        if (!ReadFive(ReadText(key, kPlacementValue), n))
            return false;
        const long width = MulDiv(n[2], static_cast<int>(dpi), kStoredDpi);
        const long height = MulDiv(n[3], static_cast<int>(dpi), kStoredDpi);
        layout.normal = RECT{n[0], n[1], n[0] + width, n[1] + height};
    } else {
        if (!ReadFive(ReadText(key, kPixelPlacementValue), n))
            return false;
        layout.normal = RECT{n[0], n[1], n[2], n[3]};
    }
    layout.maximized = n[4] != 0;
    return true;
}

WindowShape ReadShape(HKEY key, UINT dpi)
{
    long width = 0, height = 0, maximized = 0;
    char extra = 0;
    WindowShape shape;
    if (std::sscanf(ReadText(key, kSeveralValue).c_str(), "%ld,%ld,%ld%c", &width, &height, &maximized, &extra) != 3 ||
        width < kMinimumSize || height < kMinimumSize || !InRange({width, height}))
        return shape;
    shape.width = MulDiv(width, static_cast<int>(dpi), kStoredDpi);
    shape.height = MulDiv(height, static_cast<int>(dpi), kStoredDpi);
    shape.maximized = maximized != 0;
    return shape;
}

// Column widths of one of the two lists: stored at 96 dpi, else in pixels of an older build.
std::string ReadWidths(HKEY key, const char* name, const char* pixelName, UINT dpi)
{
    if (!HasValue(key, name))
        return ReadText(key, pixelName);
    ColumnWidthMemory widths;
    widths.FromText(ReadText(key, name));
    widths.Scale(static_cast<int>(dpi), kStoredDpi);
    return widths.ToText();
}

bool WriteWidths(HKEY key, const char* name, const std::string& text, UINT dpi)
{
    ColumnWidthMemory widths;
    widths.FromText(text);
    widths.Scale(kStoredDpi, static_cast<int>(dpi));
    return WriteTextValue(key, name, widths.ToText());
}

int To96(int pixels, UINT dpi)
{
    return MulDiv(pixels, kStoredDpi, static_cast<int>(dpi));
}

}  // namespace

StoredLayout ReadLayout(HKEY root, const std::string& subKey, UINT dpi)
{
    StoredLayout layout;
    const UniqueKey key = dpi == 0 ? UniqueKey{} : OpenSettingsKey(root, subKey);
    if (!key)
        return layout;
    layout.hasPlacement = ReadPlacement(key.Get(), dpi, layout);
    layout.treeWidth = HasValue(key.Get(), kTreeWidthValue)
                           ? MulDiv(ReadWidth(key.Get(), kTreeWidthValue), static_cast<int>(dpi), kStoredDpi)
                           : ReadWidth(key.Get(), kPixelTreeWidthValue);
    layout.standardWidths = ReadWidths(key.Get(), kStandardWidthsValue, kPixelStandardWidthsValue, dpi);
    layout.individualWidths = ReadWidths(key.Get(), kIndividualWidthsValue, kPixelIndividualWidthsValue, dpi);
    layout.several = ReadShape(key.Get(), dpi);
    return layout;
}

bool WriteLayout(HKEY root, const std::string& subKey, const StoredLayout& layout, UINT dpi)
{
    const UniqueKey key = dpi == 0 ? UniqueKey{} : CreateSettingsKey(root, subKey);
    if (!key)
        return false;
    bool written = true;
    char text[96];
    if (layout.hasPlacement) {
        std::snprintf(text, sizeof text, "%ld,%ld,%d,%d,%d", layout.normal.left, layout.normal.top,
                      To96(layout.normal.right - layout.normal.left, dpi),
                      To96(layout.normal.bottom - layout.normal.top, dpi), layout.maximized ? 1 : 0);
        written &= WriteTextValue(key.Get(), kPlacementValue, text);
    }
    if (layout.treeWidth > 0) {
        DWORD width = static_cast<DWORD>(To96(layout.treeWidth, dpi));
        written &= WriteNumberValue(key.Get(), kTreeWidthValue, width);
    }
    written &= WriteWidths(key.Get(), kStandardWidthsValue, layout.standardWidths, dpi);
    written &= WriteWidths(key.Get(), kIndividualWidthsValue, layout.individualWidths, dpi);
    if (layout.several.width > 0 && layout.several.height > 0) {
        std::snprintf(text, sizeof text, "%d,%d,%d", To96(layout.several.width, dpi),
                      To96(layout.several.height, dpi), layout.several.maximized ? 1 : 0);
        written &= WriteTextValue(key.Get(), kSeveralValue, text);
    }
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
