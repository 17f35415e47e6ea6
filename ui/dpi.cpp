#include "ui/dpi.h"

#include "base/handles.h"

namespace ui {
namespace {

constexpr UINT kDefaultDpi = 96;

UINT ScreenDpi()
{
    WindowDC screen(nullptr);
    if (!screen)
        return kDefaultDpi;
    int dpi = GetDeviceCaps(screen.Get(), LOGPIXELSX);
    return dpi > 0 ? static_cast<UINT>(dpi) : kDefaultDpi;
}

}  // namespace

UINT WindowDpi(HWND window)
{
    // GetDpiForWindow exists from Windows 10 1607 on; Windows 7 lacks it.
    using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    auto getDpiForWindow = user32 ? reinterpret_cast<GetDpiForWindowFunction>(
                                        GetProcAddress(user32, "GetDpiForWindow"))
                                  : nullptr;
    UINT dpi = (getDpiForWindow && window) ? getDpiForWindow(window) : 0;
    return dpi ? dpi : ScreenDpi();
}

int ScalePixels(HWND window, int pixels)
{
    return MulDiv(pixels, static_cast<int>(WindowDpi(window)), static_cast<int>(kDefaultDpi));
}

}  // namespace ui
