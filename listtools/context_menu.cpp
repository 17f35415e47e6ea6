#include "listtools/context_menu.h"

#include "ui/menu.h"

namespace {

// Copies the items of `source` (commands and separators) to the top of `target`.
void PutItemsFirst(ui::Menu source, ui::Menu target)
{
    int at = 0;
    for (int position = 0; position < source.ItemCount(); ++position, ++at) {
        wchar_t text[256] = {};
        MENUITEMINFOW item{sizeof item};
        item.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING | MIIM_STATE;
        item.dwTypeData = text;
        item.cch = 255;
        if (!GetMenuItemInfoW(source.Handle(), static_cast<UINT>(position), TRUE, &item))
            continue;
        InsertMenuItemW(target.Handle(), static_cast<UINT>(at), TRUE, &item);
    }
    MENUITEMINFOW separator{sizeof separator};
    separator.fMask = MIIM_FTYPE;
    separator.fType = MFT_SEPARATOR;
    InsertMenuItemW(target.Handle(), static_cast<UINT>(at), TRUE, &separator);
}

}  // namespace

int ChooseFromPopupMenu(UINT menuId, HWND owner, POINT screenPoint, const std::vector<UINT>& grayed,
                        UINT firstMenuId)
{
    UniqueMenu menu = ui::LoadMenuResource(menuId);
    if (!menu)
        return 0;
    ui::Menu popup = ui::Menu(menu.Get()).SubMenu(0);
    UniqueMenu first = firstMenuId ? ui::LoadMenuResource(firstMenuId) : UniqueMenu();
    if (first)
        PutItemsFirst(ui::Menu(first.Get()).SubMenu(0), popup);
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
