#include "ui/dialog.h"

#include <utility>

#include "resources/text.h"
#include "ui/background_task.h"
#include "ui/center_window.h"

namespace ui {

const DLGTEMPLATE* FindDialogTemplate(UINT id)
{
    HMODULE module = GetModuleHandleW(nullptr);
    LPCWSTR dialogType = MAKEINTRESOURCEW(5);  // RT_DIALOG
    HRSRC found = FindResourceExW(module, dialogType, MAKEINTRESOURCEW(id), TextLanguage());
    if (!found)
        found = FindResourceW(module, MAKEINTRESOURCEW(id), dialogType);
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    return loaded ? static_cast<const DLGTEMPLATE*>(LockResource(loaded)) : nullptr;
}

Dialog::~Dialog()
{
    HWND window = std::exchange(hwnd_, nullptr);
    if (window && IsWindow(window)) {
        SetWindowLongPtrW(window, DWLP_USER, 0);
        if (!modal_)
            DestroyWindow(window);
    }
}

const DLGTEMPLATE* Dialog::Template() const
{
    return memoryTemplate_ ? memoryTemplate_ : FindDialogTemplate(templateId_);
}

INT_PTR Dialog::RunModal(HWND parent)
{
    const DLGTEMPLATE* dialogTemplate = Template();
    if (!dialogTemplate || hwnd_)
        return -1;
    modal_ = true;
    return DialogBoxIndirectParamW(GetModuleHandleW(nullptr), dialogTemplate, parent, StaticProc,
                                   reinterpret_cast<LPARAM>(this));
}

bool Dialog::CreateModeless(HWND parent)
{
    const DLGTEMPLATE* dialogTemplate = Template();
    if (!dialogTemplate || hwnd_)
        return false;
    modal_ = false;
    return CreateDialogIndirectParamW(GetModuleHandleW(nullptr), dialogTemplate, parent,
                                      StaticProc, reinterpret_cast<LPARAM>(this)) != nullptr;
}

void Dialog::EndDialog(INT_PTR result)
{
    if (!hwnd_)
        return;
    if (modal_)
        ::EndDialog(hwnd_, result);
    else
        DestroyWindow(hwnd_);
}

bool Dialog::PreTranslateMessage(MSG& message)
{
    if (message.message < WM_KEYFIRST || message.message > WM_KEYLAST || !hwnd_)
        return false;
    return IsDialogMessageW(hwnd_, &message) != FALSE;
}

bool Dialog::OnCommand(int id, int, HWND)
{
    if (modal_ && (id == IDOK || id == IDCANCEL)) {
        EndDialog(id);
        return true;
    }
    return false;
}

INT_PTR Dialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        // A dialog box opens over the window it belongs to; OnInitDialog may move it.
        if (modal_)
            CenterOnOwner(hwnd_, GetWindow(hwnd_, GW_OWNER));
        return OnInitDialog() ? TRUE : FALSE;
    case WM_COMMAND:
        return OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)) ? TRUE : FALSE;
    case WM_NOTIFY: {
        LRESULT result = 0;
        if (!OnNotify(reinterpret_cast<NMHDR*>(lParam), result))
            return FALSE;
        SetMessageResult(result);
        return TRUE;
    }
    case WM_SIZE:
        OnSize(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
        return FALSE;
    }
    return FALSE;
}

INT_PTR CALLBACK Dialog::StaticProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    Dialog* self = nullptr;
    if (message == WM_INITDIALOG) {
        self = reinterpret_cast<Dialog*>(lParam);
        self->hwnd_ = window;
        SetWindowLongPtrW(window, DWLP_USER, reinterpret_cast<LONG_PTR>(self));
        if (!self->modal_)
            RegisterMessageFilter(window, self);
    } else {
        self = reinterpret_cast<Dialog*>(GetWindowLongPtrW(window, DWLP_USER));
    }
    if (!self)
        return FALSE;  // messages before WM_INITDIALOG take the dialog manager's course

    INT_PTR result = FALSE;
    try {
        if (message == WM_POSTED_TASK) {
            RunPostedContinuation(lParam);
            return TRUE;
        }
        if (message == WM_NCDESTROY)
            DropPostedContinuations(window);
        result = self->OnMessage(message, wParam, lParam);
    } catch (...) {
        result = FALSE;
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, DWLP_USER, 0);
        self->hwnd_ = nullptr;
    }
    return result;
}

}  // namespace ui
