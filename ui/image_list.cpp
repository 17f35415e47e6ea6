#include "ui/image_list.h"

namespace ui {

int ImageList::AddIconResource(UINT iconId) const
{
    int width = 0;
    int height = 0;
    if (!ImageList_GetIconSize(list_.Get(), &width, &height))
        return -1;
    UniqueIcon icon(static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(iconId),
                                                  IMAGE_ICON, width, height, LR_DEFAULTCOLOR)));
    return icon ? AddIcon(icon.Get()) : -1;
}

}  // namespace ui
