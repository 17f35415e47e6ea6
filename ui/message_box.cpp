#include "ui/message_box.h"

#include "base/narrow.h"
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
    return MessageBoxW(owner, ToWide(text).c_str(), LoadTextW(IDS_APP_TITLE).c_str(), flags);
}

}  // namespace ui
