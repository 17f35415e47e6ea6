#include "ui/image_list.h"

#include <algorithm>

#include "ui/pixel_bitmap.h"

namespace ui {

namespace {

// (RT_GROUP_ICON is 14 and RT_ICON 3; the macros are narrow in this build.)
// The stored image of icon resource `iconId` when it is exactly `width` x `height`
// pixels of 32 bits (colour with alpha, then the mask, both bottom-up, as icon files keep
// them); null when it is not, so that the icon must be loaded and drawn instead.
const BITMAPINFOHEADER* StoredIconImage(UINT iconId, int width, int height)
{
    const HMODULE module = GetModuleHandleW(nullptr);
    HRSRC group = FindResourceW(module, MAKEINTRESOURCEW(iconId), MAKEINTRESOURCEW(14));
    auto* directory = group ? static_cast<BYTE*>(LockResource(LoadResource(module, group))) : nullptr;
    const int imageId = directory ? LookupIconIdFromDirectoryEx(directory, TRUE, width, height, LR_DEFAULTCOLOR) : 0;
    HRSRC image = imageId ? FindResourceW(module, MAKEINTRESOURCEW(imageId), MAKEINTRESOURCEW(3)) : nullptr;
    if (!image)
        return nullptr;
    auto* header = static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(module, image)));
    const DWORD maskStride = static_cast<DWORD>((width + 31) / 32 * 4);
    const DWORD needed = sizeof(BITMAPINFOHEADER) + static_cast<DWORD>(width * height) * 4 + maskStride * height;
    if (!header || SizeofResource(module, image) < needed || header->biSize != sizeof(BITMAPINFOHEADER) ||
        header->biWidth != width || header->biHeight != 2 * height || header->biBitCount != 32 ||
        header->biCompression != BI_RGB)
        return nullptr;
    return header;
}

}  // namespace

// Icons whose stored images have the list's size are copied into the strip as they are
// stored, without making an icon of each (which costs most of the time); the others are
// loaded, scaled by the system, and drawn.
int ImageList::AddStoredIcons(const std::vector<UINT>& iconIds, int width, int height) const
{
    std::vector<const BITMAPINFOHEADER*> images;
    for (UINT iconId : iconIds) {
        images.push_back(StoredIconImage(iconId, width, height));
        if (!images.back())
            return -1;
    }
    const int count = static_cast<int>(images.size());
    WindowDC screen(nullptr);
    DWORD* pixels = nullptr;
    UniqueBitmap colour = PixelBitmap(screen.Get(), width * count, height, pixels);
    if (!colour)
        return -1;
    // The mask as a monochrome bitmap takes it: rows top-down, each a whole number of words.
    const size_t iconMaskStride = static_cast<size_t>((width + 31) / 32 * 4);
    const size_t stripMaskStride = static_cast<size_t>((width * count + 15) / 16 * 2);
    std::vector<BYTE> maskBits(stripMaskStride * static_cast<size_t>(height), 0);
    for (int index = 0; index < count; ++index) {
        const auto* stored = reinterpret_cast<const DWORD*>(images[static_cast<size_t>(index)] + 1);
        const auto* storedMask = reinterpret_cast<const BYTE*>(stored + width * height);
        for (int y = 0; y < height; ++y) {
            const int from = height - 1 - y;   // stored bottom-up
            std::copy_n(stored + from * width, width, pixels + (y * width * count + index * width));
            for (int x = 0; x < width; ++x) {
                if (storedMask[static_cast<size_t>(from) * iconMaskStride + static_cast<size_t>(x / 8)] & (0x80 >> (x % 8))) {
                    const int column = index * width + x;
                    maskBits[static_cast<size_t>(y) * stripMaskStride + static_cast<size_t>(column / 8)] |=
                        static_cast<BYTE>(0x80 >> (column % 8));
                }
            }
        }
    }
    UniqueBitmap mask(CreateBitmap(width * count, height, 1, 1, maskBits.data()));
    if (!mask)
        return -1;
    GdiFlush();
    return ImageList_Add(list_.Get(), colour.Get(), mask.Get());
}

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
    const int stored = AddStoredIcons(iconIds, width, height);
    if (stored >= 0)
        return stored;
    const int count = static_cast<int>(iconIds.size());
    // Colour with its alpha channel as the icons have it, and the mask beside it for icons
    // without one.
    WindowDC screen(nullptr);
    DWORD* pixels = nullptr;
    UniqueBitmap colour = PixelBitmap(screen.Get(), width * count, height, pixels);
    UniqueBitmap mask(CreateBitmap(width * count, height, 1, 1, nullptr));
    UniqueMemoryDC maskDC(CreateCompatibleDC(screen.Get()));
    if (!colour || !mask || !maskDC)
        return -1;
    std::vector<DWORD> iconPixels(static_cast<size_t>(width) * static_cast<size_t>(height));
    BITMAPINFO iconInfo{};
    iconInfo.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
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
