#include "ui/tool_bar.h"

#include <iterator>

#include "base/narrow.h"

namespace ui {

ToolBar ToolBar::Create(HWND parent, int id, DWORD style)
{
    HWND created = CreateWindowExW(0, TOOLBARCLASSNAMEW, L"", style | WS_CHILD, 0, 0, 0, 0, parent,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                   GetModuleHandleW(nullptr), nullptr);
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
    return SendMsg(TB_ADDBUTTONSW, entries.size(), reinterpret_cast<LPARAM>(entries.data())) != 0;
}

bool ToolBar::ServeToolTip(NMHDR* header, const ToolTipFunction& textOf, std::wstring& storage)
{
    if (!header || !textOf)
        return false;
    // Our windows are Unicode windows, so the tooltip asks in UTF-16; the text lives in
    // `storage` until the next request, with no limit on its length.
    if (header->code != TTN_GETDISPINFOW)
        return false;
    auto* info = reinterpret_cast<NMTTDISPINFOW*>(header);
    storage = ToWide(textOf(static_cast<int>(header->idFrom)));
    info->hinst = nullptr;
    info->lpszText = storage.data();
    return true;
}

}  // namespace ui
