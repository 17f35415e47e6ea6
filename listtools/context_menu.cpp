#include "listtools/context_menu.h"

#include "resources/resource.h"
#include "ui/menu.h"

int ChooseFromResultMenu(HWND owner, POINT screenPoint)
{
    UniqueMenu menu = ui::LoadMenuResource(IDR_POPUP_EDIT);
    if (!menu)
        return 0;
    ui::Menu popup = ui::Menu(menu.Get()).SubMenu(0);
    return popup.TrackPopup(owner, screenPoint, TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD);
}
