#include "ui/image_list.h"

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
