#include "listtools/context_menu.h"

#include "ui/menu.h"

int ChooseFromPopupMenu(UINT menuId, HWND owner, POINT screenPoint, const std::vector<UINT>& grayed)
{
    UniqueMenu menu = ui::LoadMenuResource(menuId);
    if (!menu)
        return 0;
    ui::Menu popup = ui::Menu(menu.Get()).SubMenu(0);
    for (UINT command : grayed)
        popup.EnableItem(command, false);
    return popup.TrackPopup(owner, screenPoint, TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD);
}

bool IsContextMenuKey(const MSG& message, bool& opens)
{
    const bool down = message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN;
    const bool up = message.message == WM_KEYUP || message.message == WM_SYSKEYUP;
    if (!down && !up)
        return false;
    const bool shift = (GetKeyState(VK_SHIFT) & 0x8000) != 0;
    if (message.wParam != VK_APPS && !(message.wParam == VK_F10 && shift))
        return false;
    opens = down;
    return true;
}

void SendCommandToTopLevel(HWND control, int command)
{
    HWND root = GetAncestor(control, GA_ROOT);
    if (root)
        SendMessageW(root, WM_COMMAND, MAKEWPARAM(command, 0), 0);
}
