#include "ui/open_dialog.h"

#include <commdlg.h>

#include <memory>
#include <mutex>
#include <vector>

#include "ui/save_dialog.h"

namespace ui {
namespace {

constexpr size_t kPathBufferSize = 65536;

std::mutex g_handlerLock;
std::shared_ptr<const OpenFileHandler> g_handler;

std::shared_ptr<const OpenFileHandler> CurrentHandler()
{
    std::lock_guard<std::mutex> guard(g_handlerLock);
    return g_handler;
}

bool ShowOpenDialog(HWND owner, const std::string& filter, std::string& path)
{
    const std::string filterText = ToDialogFilter(filter);
    std::vector<char> buffer(kPathBufferSize, '\0');
    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter.empty() ? nullptr : filterText.c_str();
    dialog.lpstrFile = buffer.data();
    dialog.nMaxFile = static_cast<DWORD>(buffer.size());
    dialog.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_LONGNAMES;
    if (!GetOpenFileNameA(&dialog))
        return false;
    path.assign(buffer.data());
    return true;
}

}  // namespace

void SetOpenFileHandler(OpenFileHandler handler)
{
    auto replacement = handler ? std::make_shared<const OpenFileHandler>(std::move(handler)) : nullptr;
    std::lock_guard<std::mutex> guard(g_handlerLock);
    g_handler = std::move(replacement);
}

bool AskOpenFileName(HWND owner, const std::string& filter, std::string& path)
{
    if (auto handler = CurrentHandler())
        return (*handler)(owner, filter, path);
    return ShowOpenDialog(owner, filter, path);
}

}  // namespace ui
