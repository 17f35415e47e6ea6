#include "ui/edit_keys.h"

#include "ui/subclass_chain.h"

#include <cstring>

namespace ui {
namespace {

constexpr UINT_PTR kSelectAllSubclassId = 0x5E1A;
constexpr WPARAM kCtrlA = 0x01;   // the character Ctrl+A types

bool IsDown(int key)
{
    return (GetKeyState(key) & 0x8000) != 0;
}

LRESULT CALLBACK SelectAllProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR)
{
    switch (message) {
    case WM_CHAR:
        if (wParam == kCtrlA) {
            SendMessageW(window, EM_SETSEL, 0, -1);
            return 0;
        }
        break;
    case WM_NCDESTROY:
        RemoveSubclass(window, SelectAllProc, kSelectAllSubclassId);
        break;
    default:
        break;
    }
    return CallNextSubclass(window, message, wParam, lParam);
}

}  // namespace

bool IsEditControl(HWND window)
{
    wchar_t name[16] = {};
    return window && GetClassNameW(window, name, 16) > 0 && _wcsicmp(name, L"Edit") == 0;
}

bool IsEditingShortcut(const MSG& message)
{
    if (message.message != WM_KEYDOWN || !IsEditControl(message.hwnd) || IsDown(VK_MENU))
        return false;
    const bool control = IsDown(VK_CONTROL);
    const bool shift = IsDown(VK_SHIFT);
    switch (message.wParam) {
    case 'A':
    case 'C':
    case 'V':
    case 'X':
    case 'Z': return control;
    case VK_INSERT: return control || shift;   // copy, paste
    case VK_DELETE: return shift;              // cut
    default: return false;
    }
}

bool AddSelectAllKey(HWND edit)
{
    return edit && AddSubclass(edit, SelectAllProc, kSelectAllSubclassId, 0);
}

}  // namespace ui
