#include "ui/save_dialog.h"

#include <commdlg.h>

#include <vector>

#include "base/narrow.h"
#include "ui/center_window.h"
#include "ui/replaceable_handler.h"

namespace ui {
namespace {

// Room for the longest path the system handles ("\\?\" paths of 32767 characters).
constexpr size_t kPathBufferSize = 65536;

ReplaceableHandler<SaveFileHandler> g_handler;

// The hook only places the dialog: over the program's window instead of the screen's corner.
UINT_PTR CALLBACK PlaceSaveDialog(HWND hook, UINT message, WPARAM, LPARAM lParam)
{
    if (message == WM_NOTIFY && reinterpret_cast<const NMHDR*>(lParam)->code == CDN_INITDONE) {
        HWND dialog = GetParent(hook);
        CenterOnOwner(dialog, GetWindow(dialog, GW_OWNER));
    }
    return 0;
}

bool ShowSaveDialog(HWND owner, SaveFileRequest& request, std::string& path)
{
    const std::wstring filter = ToDialogFilter(request.filter);
    const std::wstring extension = ToWide(request.defaultExtension);
    std::vector<wchar_t> buffer(kPathBufferSize, L'\0');
    ToWide(request.fileName).copy(buffer.data(), buffer.size() - 1);

    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = request.filter.empty() ? nullptr : filter.c_str();
    dialog.nFilterIndex = static_cast<DWORD>(request.type > 0 ? request.type : 1);
    dialog.lpstrFile = buffer.data();
    dialog.nMaxFile = static_cast<DWORD>(buffer.size());
    dialog.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
    dialog.Flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_LONGNAMES |
                   OFN_EXPLORER | OFN_ENABLEHOOK | OFN_ENABLESIZING;
    dialog.lpfnHook = PlaceSaveDialog;
    if (!GetSaveFileNameW(&dialog))
        return false;
    path = ToNarrow(buffer.data());
    request.type = static_cast<int>(dialog.nFilterIndex);
    return true;
}

}  // namespace

std::wstring ToDialogFilter(const std::string& filter)
{
    // UTF-8 never uses the byte of "|" inside another character.
    std::wstring converted = ToWide(filter);
    for (wchar_t& c : converted)
        if (c == L'|')
            c = L'\0';
    // Exactly two zero characters end the list, whatever the given text ended with.
    while (!converted.empty() && converted.back() == L'\0')
        converted.pop_back();
    converted.append(2, L'\0');
    return converted;
}

void SetSaveFileHandler(SaveFileHandler handler)
{
    g_handler.Set(std::move(handler));
}

bool AskSaveFileName(HWND owner, SaveFileRequest& request, std::string& path)
{
    if (auto handler = g_handler.Current())
        return (*handler)(owner, request, path);
    return ShowSaveDialog(owner, request, path);
}

}  // namespace ui
