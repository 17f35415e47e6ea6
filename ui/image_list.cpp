#include "ui/image_list.h"

#include <algorithm>

namespace ui {

int ImageList::AddIconResource(UINT iconId) const
{
    int width = 0;
    int height = 0;
    if (!ImageList_GetIconSize(list_.Get(), &width, &height))
        return -1;
    UniqueIcon icon(static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(iconId),
                                                  IMAGE_ICON, width, height, LR_DEFAULTCOLOR)));
    return icon ? AddIcon(icon.Get()) : -1;
}

int ImageList::AddIconResources(const std::vector<UINT>& iconIds) const
{
    int width = 0;
    int height = 0;
    if (iconIds.empty() || !ImageList_GetIconSize(list_.Get(), &width, &height))
        return -1;
    const int count = static_cast<int>(iconIds.size());
    // Colour with its alpha channel as the icons have it, and the mask beside it for icons
    // without one.
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width * count, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    WindowDC screen(nullptr);
    UniqueBitmap colour(CreateDIBSection(screen.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    UniqueBitmap mask(CreateBitmap(width * count, height, 1, 1, nullptr));
    UniqueMemoryDC maskDC(CreateCompatibleDC(screen.Get()));
    if (!colour || !mask || !maskDC)
        return -1;
    auto* pixels = static_cast<DWORD*>(bits);
    std::vector<DWORD> iconPixels(static_cast<size_t>(width) * static_cast<size_t>(height));
    BITMAPINFO iconInfo = info;
    iconInfo.bmiHeader.biWidth = width;
    {
        ScopedSelect maskBitmap(maskDC.Get(), mask.Get());
        PatBlt(maskDC.Get(), 0, 0, width * count, height, WHITENESS);
        for (int index = 0; index < count; ++index) {
            UniqueIcon icon(static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr),
                                                          MAKEINTRESOURCEW(iconIds[static_cast<size_t>(index)]),
                                                          IMAGE_ICON, width, height, LR_DEFAULTCOLOR)));
            ICONINFO parts{};
            if (!icon || !GetIconInfo(icon.Get(), &parts))
                continue;
            UniqueBitmap iconColour(parts.hbmColor);
            UniqueBitmap iconMask(parts.hbmMask);
            if (iconColour &&
                GetDIBits(screen.Get(), iconColour.Get(), 0, static_cast<UINT>(height), iconPixels.data(), &iconInfo,
                          DIB_RGB_COLORS) == height) {
                for (int y = 0; y < height; ++y)
                    std::copy_n(&iconPixels[static_cast<size_t>(y * width)], width,
                                &pixels[static_cast<size_t>(y * width * count + index * width)]);
            }
            DrawIconEx(maskDC.Get(), index * width, 0, icon.Get(), width, height, 0, nullptr, DI_MASK);
        }
    }
    GdiFlush();
    const int first = ImageList_Add(list_.Get(), colour.Get(), mask.Get());
    return first;
}

ImageList ImageList::LoadStripScaled(UINT bitmapId, int width, COLORREF maskColor, int scaledWidth)
{
    if (scaledWidth <= width)
        return LoadStrip(bitmapId, width, maskColor);
    UniqueBitmap source(static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(bitmapId),
                                                        IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    BITMAP info{};
    if (!source || !GetObjectW(source.Get(), sizeof info, &info) || info.bmWidth < width)
        return LoadStrip(bitmapId, width, maskColor);
    const int count = info.bmWidth / width;
    const int scaledHeight = MulDiv(info.bmHeight, scaledWidth, width);
    UniqueBitmap scaled;
    {
        WindowDC screen(nullptr);
        scaled.Reset(CreateCompatibleBitmap(screen.Get(), count * scaledWidth, scaledHeight));
        UniqueMemoryDC from(CreateCompatibleDC(screen.Get()));
        UniqueMemoryDC to(CreateCompatibleDC(screen.Get()));
        ScopedSelect fromBitmap(from.Get(), source.Get());
        ScopedSelect toBitmap(to.Get(), scaled.Get());
        SetStretchBltMode(to.Get(), COLORONCOLOR);
        StretchBlt(to.Get(), 0, 0, count * scaledWidth, scaledHeight, from.Get(), 0, 0, count * width, info.bmHeight,
                   SRCCOPY);
    }
    ImageList list(ImageList_Create(scaledWidth, scaledHeight, ILC_COLOR24 | ILC_MASK, count, 0));
    if (list)
        ImageList_AddMasked(list.Handle(), scaled.Get(), maskColor);
    return list;
}

}  // namespace ui
