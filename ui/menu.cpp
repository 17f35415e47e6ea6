#include "ui/menu.h"

#include "resources/text.h"

namespace ui {

UniqueMenu LoadMenuResource(UINT id)
{
    HMODULE module = GetModuleHandleW(nullptr);
    LPCWSTR menuType = MAKEINTRESOURCEW(4);  // RT_MENU
    HRSRC found = FindResourceExW(module, menuType, MAKEINTRESOURCEW(id), TextLanguage());
    if (!found)
        found = FindResourceW(module, MAKEINTRESOURCEW(id), menuType);
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    const void* menuTemplate = loaded ? LockResource(loaded) : nullptr;
    return UniqueMenu(menuTemplate ? LoadMenuIndirectW(menuTemplate) : nullptr);
}

}  // namespace ui
