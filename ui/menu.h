// Menu: a non-owning wrapper of an HMENU; LoadMenuResource gives an owned one.
#pragma once
#include <windows.h>

#include "base/handles.h"

namespace ui {

class Menu {
public:
    Menu() = default;
    explicit Menu(HMENU menu) : menu_(menu) {}

    HMENU Handle() const { return menu_; }
    int ItemCount() const { return GetMenuItemCount(menu_); }
    // The popup at `position`, or an empty Menu.
    Menu SubMenu(int position) const { return Menu(GetSubMenu(menu_, position)); }
    // The command of the item at `position`: 0 for a separator, -1 for a popup.
    int ItemId(int position) const { return static_cast<int>(GetMenuItemID(menu_, position)); }

    void CheckItem(UINT command, bool checked) const
    {
        CheckMenuItem(menu_, command, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
    }
    // Puts the radio mark on `command` and clears it on the other commands first..last.
    void CheckRadio(UINT first, UINT last, UINT command) const
    {
        CheckMenuRadioItem(menu_, first, last, command, MF_BYCOMMAND);
    }
    void EnableItem(UINT command, bool enabled) const
    {
        EnableMenuItem(menu_, command, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
    }
    bool IsChecked(UINT command) const
    {
        return (GetMenuState(menu_, command, MF_BYCOMMAND) & MF_CHECKED) != 0;
    }
    bool IsEnabled(UINT command) const
    {
        UINT state = GetMenuState(menu_, command, MF_BYCOMMAND);
        return state != static_cast<UINT>(-1) && (state & (MF_GRAYED | MF_DISABLED)) == 0;
    }

    // Shows the popup at `screenPoint` until the user chooses or cancels. Without
    // TPM_RETURNCMD the chosen command goes to `owner` as WM_COMMAND; with it the
    // command is returned (0: none).
    int TrackPopup(HWND owner, POINT screenPoint, UINT flags = TPM_LEFTALIGN | TPM_RIGHTBUTTON) const
    {
        return static_cast<int>(TrackPopupMenu(menu_, flags, screenPoint.x, screenPoint.y, 0, owner, nullptr));
    }

private:
    HMENU menu_ = nullptr;
};

// Menu `id` of the program's resources in the text language (resources/text.h), or in
// any language when that one is missing; empty when there is none.
UniqueMenu LoadMenuResource(UINT id);

}  // namespace ui
