// A bitmap whose pixels the program reads and writes in place: 32 bits each, rows
// top-down, `pixels` pointing at the first (null when it could not be made).
#pragma once
#include <windows.h>

#include "base/handles.h"

namespace ui {

inline UniqueBitmap PixelBitmap(HDC screen, int width, int height, DWORD*& pixels)
{
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    UniqueBitmap bitmap(CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    pixels = static_cast<DWORD*>(bits);
    return bitmap;
}

}  // namespace ui
