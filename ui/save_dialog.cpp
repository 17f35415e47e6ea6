#include "ui/save_dialog.h"

#include <commdlg.h>

#include <vector>

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

bool ShowSaveDialog(HWND owner, const SaveFileRequest& request, std::string& path)
{
    std::string filter = ToDialogFilter(request.filter);
    std::vector<char> buffer(kPathBufferSize, '\0');
    request.fileName.copy(buffer.data(), buffer.size() - 1);

    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = request.filter.empty() ? nullptr : filter.c_str();
    dialog.lpstrFile = buffer.data();
    dialog.nMaxFile = static_cast<DWORD>(buffer.size());
    dialog.lpstrDefExt = request.defaultExtension.empty() ? nullptr : request.defaultExtension.c_str();
    dialog.Flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_LONGNAMES |
                   OFN_EXPLORER | OFN_ENABLEHOOK | OFN_ENABLESIZING;
    dialog.lpfnHook = PlaceSaveDialog;
    if (!GetSaveFileNameA(&dialog))
        return false;
    path.assign(buffer.data());
    return true;
}

}  // namespace

std::string ToDialogFilter(const std::string& filter, UINT codePage)
{
    if (codePage == 0)
        codePage = GetACP();
    std::string converted;
    converted.reserve(filter.size() + 2);
    for (size_t index = 0; index < filter.size(); ++index) {
        char byte = filter[index];
        if (IsDBCSLeadByteEx(codePage, static_cast<BYTE>(byte)) && index + 1 < filter.size()) {
            converted += byte;
            converted += filter[++index];
            continue;
        }
        converted += byte == '|' ? '\0' : byte;
    }
    // Exactly two zero bytes end the list, whatever the given text ended with.
    while (!converted.empty() && converted.back() == '\0')
        converted.pop_back();
    converted.append(2, '\0');
    return converted;
}

void SetSaveFileHandler(SaveFileHandler handler)
{
    g_handler.Set(std::move(handler));
}

bool AskSaveFileName(HWND owner, const SaveFileRequest& request, std::string& path)
{
    if (auto handler = g_handler.Current())
        return (*handler)(owner, request, path);
    return ShowSaveDialog(owner, request, path);
}

}  // namespace ui
