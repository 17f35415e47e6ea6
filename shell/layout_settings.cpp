#include "shell/layout_settings.h"

#include <cstdio>
#include <vector>

#include "base/handles.h"

namespace {

using UniqueKey = UniqueResource<handle_traits::NullIsEmpty<HKEY, RegCloseKey>>;

constexpr char kPlacementValue[] = "WindowPlacement";
constexpr char kTreeWidthValue[] = "TreeWidth";
constexpr char kStandardWidthsValue[] = "StandardColumnWidths";
constexpr char kIndividualWidthsValue[] = "IndividualColumnWidths";
constexpr int kMinimumSize = 120;
constexpr int kMaximumCoordinate = 100000;
constexpr DWORD kMaximumTextBytes = 8192;

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
    HKEY opened = nullptr;
    if (RegOpenKeyExA(root, subKey.c_str(), 0, KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS)
        return layout;
    UniqueKey key(opened);
    layout.hasPlacement = ReadPlacement(ReadText(key.Get(), kPlacementValue), layout);
    DWORD type = 0;
    DWORD width = 0;
    DWORD size = sizeof width;
    if (RegQueryValueExA(key.Get(), kTreeWidthValue, nullptr, &type, reinterpret_cast<BYTE*>(&width), &size) ==
            ERROR_SUCCESS &&
        type == REG_DWORD && width < 4096)
        layout.treeWidth = static_cast<int>(width);
    layout.standardWidths = ReadText(key.Get(), kStandardWidthsValue);
    layout.individualWidths = ReadText(key.Get(), kIndividualWidthsValue);
    return layout;
}

bool WriteLayout(HKEY root, const std::string& subKey, const StoredLayout& layout)
{
    HKEY created = nullptr;
    if (RegCreateKeyExA(root, subKey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr,
                        &created, nullptr) != ERROR_SUCCESS)
        return false;
    UniqueKey key(created);
    bool written = true;
    if (layout.hasPlacement) {
        char text[96];
        std::snprintf(text, sizeof text, "%ld,%ld,%ld,%ld,%d", layout.normal.left, layout.normal.top,
                      layout.normal.right, layout.normal.bottom, layout.maximized ? 1 : 0);
        written &= WriteText(key.Get(), kPlacementValue, text);
    }
    if (layout.treeWidth > 0) {
        DWORD width = static_cast<DWORD>(layout.treeWidth);
        written &= RegSetValueExA(key.Get(), kTreeWidthValue, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&width),
                                  sizeof width) == ERROR_SUCCESS;
    }
    written &= WriteText(key.Get(), kStandardWidthsValue, layout.standardWidths);
    written &= WriteText(key.Get(), kIndividualWidthsValue, layout.individualWidths);
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
