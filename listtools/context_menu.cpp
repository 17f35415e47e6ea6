#include "listtools/context_menu.h"

#include <atomic>

#include "resources/resource.h"
#include "ui/menu.h"

namespace {
std::atomic<ResultMenuChooser> g_chooser{nullptr};
}

void SetResultMenuChooser(ResultMenuChooser chooser)
{
    g_chooser = chooser;
}

int ChooseFromResultMenu(HWND owner, POINT screenPoint)
{
    if (ResultMenuChooser chooser = g_chooser.load())
        return chooser(owner, screenPoint);
    ui::UniqueMenu menu = ui::LoadMenuResource(IDR_POPUP_EDIT);
    if (!menu)
        return 0;
    ui::Menu popup = ui::Menu(menu.Get()).SubMenu(0);
    return popup.TrackPopup(owner, screenPoint, TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD);
}
