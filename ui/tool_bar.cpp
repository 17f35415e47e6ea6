#include "ui/tool_bar.h"

#include <iterator>

#include "base/narrow.h"

namespace ui {

ToolBar ToolBar::Create(HWND parent, int id, DWORD style)
{
    HWND created = CreateWindowExA(0, TOOLBARCLASSNAMEA, "", style | WS_CHILD, 0, 0, 0, 0, parent,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                   GetModuleHandleA(nullptr), nullptr);
    ToolBar bar(created);
    if (created)
        bar.SendMsg(TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON));
    return bar;
}

bool ToolBar::AddButtons(const std::vector<ToolButton>& buttons) const
{
    std::vector<TBBUTTON> entries;
    entries.reserve(buttons.size());
    for (const ToolButton& button : buttons) {
        TBBUTTON entry{};
        entry.idCommand = button.command;
        entry.iBitmap = button.command ? button.image : 0;
        entry.fsState = TBSTATE_ENABLED;
        entry.fsStyle = button.command ? BTNS_BUTTON : BTNS_SEP;
        entries.push_back(entry);
    }
    return SendMsg(TB_ADDBUTTONSA, entries.size(), reinterpret_cast<LPARAM>(entries.data())) != 0;
}

bool ToolBar::ServeToolTip(NMHDR* header, const ToolTipFunction& textOf, std::string& storage)
{
    if (!header || !textOf)
        return false;
    int command = static_cast<int>(header->idFrom);
    if (header->code == TTN_GETDISPINFOA) {
        auto* info = reinterpret_cast<NMTTDISPINFOA*>(header);
        storage = textOf(command);
        info->hinst = nullptr;
        info->lpszText = storage.data();
        return true;
    }
    if (header->code == TTN_GETDISPINFOW) {
        // Wide requests get the text in the notification's own buffer (80 characters).
        auto* info = reinterpret_cast<NMTTDISPINFOW*>(header);
        std::wstring wide = ToWide(textOf(command));
        size_t count = wide.size() < std::size(info->szText) ? wide.size() : std::size(info->szText) - 1;
        wide.copy(info->szText, count);
        info->szText[count] = L'\0';
        info->hinst = nullptr;
        info->lpszText = info->szText;
        return true;
    }
    return false;
}

}  // namespace ui
