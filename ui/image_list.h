// ImageList: an owned image list (tree, list and toolbar images).
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "base/handles.h"

namespace ui {

class ImageList {
public:
    ImageList() = default;

    // An empty list of `width` x `height` images; `flags` ILC_COLOR32 | ILC_MASK etc.
    static ImageList Create(int width, int height, UINT flags, int initial, int grow)
    {
        return ImageList(ImageList_Create(width, height, flags, initial, grow));
    }
    // A strip of images of `width` pixels from bitmap `bitmapId` of the program's
    // resources; pixels of `maskColor` are transparent.
    static ImageList LoadStrip(UINT bitmapId, int width, COLORREF maskColor)
    {
        return ImageList(ImageList_LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(bitmapId),
                                              width, 0, maskColor, IMAGE_BITMAP, LR_CREATEDIBSECTION));
    }

    // The same strip with every image enlarged to `scaledWidth` pixels (nearest pixel, so
    // that the transparent colour stays exact); the plain strip when no larger size is
    // asked for.
    static ImageList LoadStripScaled(UINT bitmapId, int width, COLORREF maskColor, int scaledWidth);

    HIMAGELIST Handle() const { return list_.Get(); }
    explicit operator bool() const { return static_cast<bool>(list_); }
    int Count() const { return ImageList_GetImageCount(list_.Get()); }

    // Adds a copy of `icon`; returns its index or -1.
    int AddIcon(HICON icon) const { return ImageList_ReplaceIcon(list_.Get(), -1, icon); }
    // Adds icon `iconId` of the program's resources at the list's image size.
    int AddIconResource(UINT iconId) const;
    // Adds the icons `iconIds` of the program's resources at the list's image size, drawn
    // side by side into one strip that the list takes in one step (adding icons one at a
    // time costs several times as much); returns the first one's index or -1. An icon
    // that cannot be loaded leaves its place empty.
    int AddIconResources(const std::vector<UINT>& iconIds) const;

private:
    explicit ImageList(HIMAGELIST list) : list_(list) {}
    // The icons from their stored images, when every one has the list's size; else -1.
    int AddStoredIcons(const std::vector<UINT>& iconIds, int width, int height) const;
    UniqueImageList list_;
};

}  // namespace ui
