#include "ui/message_box.h"

#include "resources/resource.h"
#include "resources/text.h"
#include "ui/replaceable_handler.h"

namespace ui {
namespace {

ReplaceableHandler<MessageBoxHandler> g_handler;

}  // namespace

void SetMessageBoxHandler(MessageBoxHandler handler)
{
    g_handler.Set(std::move(handler));
}

int ShowMessageBox(HWND owner, const std::string& text, UINT flags)
{
    if (auto handler = g_handler.Current())
        return (*handler)(owner, text, flags);
    std::string caption = LoadText(IDS_APP_TITLE);
    return MessageBoxA(owner, text.c_str(), caption.c_str(), flags);
}

}  // namespace ui
