#include "ui/window_base.h"

#include <utility>

#include "base/narrow.h"
#include "ui/background_task.h"

namespace ui {
namespace {

// What the window answers when its handler failed with an exception.
LRESULT ResultAfterFailure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_NCCREATE:
        return FALSE;
    case WM_CREATE:
        return -1;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace

WindowBase::~WindowBase()
{
    HWND window = std::exchange(hwnd_, nullptr);
    if (window && IsWindow(window)) {
        // The derived object is gone: the window's last messages go to DefWindowProc.
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        DestroyWindow(window);
    }
}

bool WindowBase::RegisterWindowClass(const char* className, UINT classStyle, HBRUSH background,
                                     HCURSOR cursor, HICON icon)
{
    HINSTANCE module = GetModuleHandleW(nullptr);
    const std::wstring name = ToWide(className);
    WNDCLASSEXW existing{sizeof(existing)};
    if (GetClassInfoExW(module, name.c_str(), &existing))
        return existing.lpfnWndProc == StaticProc;
    WNDCLASSEXW windowClass{sizeof(windowClass)};
    windowClass.style = classStyle;
    windowClass.lpfnWndProc = StaticProc;
    windowClass.hInstance = module;
    windowClass.hIcon = icon;
    windowClass.hIconSm = icon;
    windowClass.hCursor = cursor;
    windowClass.hbrBackground = background;
    windowClass.lpszClassName = name.c_str();
    return RegisterClassExW(&windowClass) != 0;
}

bool WindowBase::Create(const char* className, const std::string& title, DWORD style,
                        DWORD exStyle, const RECT& rect, HWND parent, HMENU menuOrId)
{
    if (hwnd_)
        return false;
    CreateWindowExW(exStyle, ToWide(className).c_str(), ToWide(title).c_str(), style, rect.left, rect.top,
                    rect.right - rect.left, rect.bottom - rect.top, parent, menuOrId,
                    GetModuleHandleW(nullptr), this);
    return hwnd_ != nullptr;
}

LRESULT CALLBACK WindowBase::StaticProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    WindowBase* self = nullptr;
    if (message == WM_NCCREATE) {
        self = static_cast<WindowBase*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        if (self) {
            self->hwnd_ = window;
            SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        }
    } else {
        self = reinterpret_cast<WindowBase*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    }
    // Messages before WM_NCCREATE (WM_GETMINMAXINFO) and after WM_NCDESTROY.
    if (!self)
        return DefWindowProcW(window, message, wParam, lParam);

    LRESULT result = 0;
    try {
        if (message == WM_POSTED_TASK) {
            RunPostedContinuation(lParam);
            return 0;
        }
        if (message == WM_NCDESTROY)
            DropPostedContinuations(window);
        result = self->OnMessage(message, wParam, lParam);
    } catch (...) {
        result = ResultAfterFailure(window, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
    }
    return result;
}

LRESULT WindowBase::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        return OnCreate(*reinterpret_cast<CREATESTRUCTW*>(lParam)) ? 0 : -1;
    case WM_SIZE:
        OnSize(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
        return 0;
    case WM_COMMAND:
        if (OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)))
            return 0;
        break;
    case WM_NOTIFY: {
        LRESULT result = 0;
        if (OnNotify(reinterpret_cast<NMHDR*>(lParam), result))
            return result;
        break;
    }
    case WM_TIMER:
        OnTimer(wParam);
        return 0;
    case WM_CLOSE:
        if (OnClose())
            return 0;
        break;
    case WM_DESTROY:
        OnDestroy();
        return 0;
    }
    return DefaultProc(message, wParam, lParam);
}

}  // namespace ui
