#include "ui/open_dialog.h"

#include <commdlg.h>

#include <vector>

#include "base/narrow.h"
#include "ui/replaceable_handler.h"
#include "ui/save_dialog.h"

namespace ui {
namespace {

constexpr size_t kPathBufferSize = 65536;

ReplaceableHandler<OpenFileHandler> g_handler;

bool ShowOpenDialog(HWND owner, const std::string& filter, std::string& path)
{
    const std::wstring filterText = ToDialogFilter(filter);
    std::vector<wchar_t> buffer(kPathBufferSize, L'\0');
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter.empty() ? nullptr : filterText.c_str();
    dialog.lpstrFile = buffer.data();
    dialog.nMaxFile = static_cast<DWORD>(buffer.size());
    dialog.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_LONGNAMES;
    if (!GetOpenFileNameW(&dialog))
        return false;
    path = ToNarrow(buffer.data());
    return true;
}

}  // namespace

void SetOpenFileHandler(OpenFileHandler handler)
{
    g_handler.Set(std::move(handler));
}

bool AskOpenFileName(HWND owner, const std::string& filter, std::string& path)
{
    if (auto handler = g_handler.Current())
        return (*handler)(owner, filter, path);
    return ShowOpenDialog(owner, filter, path);
}

}  // namespace ui
