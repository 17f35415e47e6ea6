#include "ui/message_box.h"

#include <memory>
#include <mutex>

#include "resources/resource.h"
#include "resources/text.h"

namespace ui {
namespace {

std::mutex g_handlerLock;
std::shared_ptr<const MessageBoxHandler> g_handler;

std::shared_ptr<const MessageBoxHandler> CurrentHandler()
{
    std::lock_guard<std::mutex> guard(g_handlerLock);
    return g_handler;
}

}  // namespace

void SetMessageBoxHandler(MessageBoxHandler handler)
{
    auto replacement = handler ? std::make_shared<const MessageBoxHandler>(std::move(handler)) : nullptr;
    std::lock_guard<std::mutex> guard(g_handlerLock);
    g_handler = std::move(replacement);
}

int ShowMessageBox(HWND owner, const std::string& text, UINT flags)
{
    // The handler is called outside the lock: it may be replaced meanwhile, or ask again.
    if (auto handler = CurrentHandler())
        return (*handler)(owner, text, flags);
    std::string caption = LoadText(IDS_APP_TITLE);
    return MessageBoxA(owner, text.c_str(), caption.c_str(), flags);
}

}  // namespace ui
