#include "shell/layout_settings.h"

#include <cstdio>
#include <initializer_list>
#include <vector>

#include "base/handles.h"
#include "listtools/column_memory.h"

namespace {

using UniqueKey = UniqueResource<handle_traits::NullIsEmpty<HKEY, RegCloseKey>>;

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
constexpr DWORD kMaximumTextBytes = 8192;
constexpr DWORD kMaximumTreeWidth = 4096;

bool HasValue(HKEY key, const char* name)
{
    return RegQueryValueExA(key, name, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

std::string ReadText(HKEY key, const char* name)
{
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExA(key, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS || type != REG_SZ ||
        size == 0 || size > kMaximumTextBytes)
        return {};
    std::vector<char> buffer(size + 1, '\0');
    if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &size) != ERROR_SUCCESS)
        return {};
    return std::string(buffer.data());
}

bool WriteText(HKEY key, const char* name, const std::string& text)
{
    return RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                          static_cast<DWORD>(text.size() + 1)) == ERROR_SUCCESS;
}

int ReadWidth(HKEY key, const char* name)
{
    DWORD type = 0;
    DWORD width = 0;
    DWORD size = sizeof width;
    if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&width), &size) != ERROR_SUCCESS ||
        type != REG_DWORD || width >= kMaximumTreeWidth)
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
    return WriteText(key, name, widths.ToText());
}

int To96(int pixels, UINT dpi)
{
    return MulDiv(pixels, kStoredDpi, static_cast<int>(dpi));
}

}  // namespace

StoredLayout ReadLayout(HKEY root, const std::string& subKey, UINT dpi)
{
    StoredLayout layout;
    HKEY opened = nullptr;
    if (dpi == 0 || RegOpenKeyExA(root, subKey.c_str(), 0, KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS)
        return layout;
    UniqueKey key(opened);
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
    HKEY created = nullptr;
    if (dpi == 0 || RegCreateKeyExA(root, subKey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE,
                                    nullptr, &created, nullptr) != ERROR_SUCCESS)
        return false;
    UniqueKey key(created);
    bool written = true;
    char text[96];
    if (layout.hasPlacement) {
        std::snprintf(text, sizeof text, "%ld,%ld,%d,%d,%d", layout.normal.left, layout.normal.top,
                      To96(layout.normal.right - layout.normal.left, dpi),
                      To96(layout.normal.bottom - layout.normal.top, dpi), layout.maximized ? 1 : 0);
        written &= WriteText(key.Get(), kPlacementValue, text);
    }
    if (layout.treeWidth > 0) {
        DWORD width = static_cast<DWORD>(To96(layout.treeWidth, dpi));
        written &= RegSetValueExA(key.Get(), kTreeWidthValue, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&width),
                                  sizeof width) == ERROR_SUCCESS;
    }
    written &= WriteWidths(key.Get(), kStandardWidthsValue, layout.standardWidths, dpi);
    written &= WriteWidths(key.Get(), kIndividualWidthsValue, layout.individualWidths, dpi);
    if (layout.several.width > 0 && layout.several.height > 0) {
        std::snprintf(text, sizeof text, "%d,%d,%d", To96(layout.several.width, dpi),
                      To96(layout.several.height, dpi), layout.several.maximized ? 1 : 0);
        written &= WriteText(key.Get(), kSeveralValue, text);
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
