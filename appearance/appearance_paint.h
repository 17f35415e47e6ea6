// Drawing primitives of the appearance painters. Fills use the DC's own brush colour
// (no GDI object is created per fill); OffscreenCanvas double-buffers a paint.
#pragma once
#include <windows.h>

#include "appearance/appearance_styles.h"
#include "ui/handles.h"

namespace appearance {

void FillSolid(HDC dc, const RECT& rect, COLORREF colour);
// A one-pixel frame just inside `rect`.
void FrameSolid(HDC dc, const RECT& rect, COLORREF colour);
// The part of `area`'s vertical gradient that lies inside `clip` (`area` gives the
// gradient's extent, so a slice continues the colours of the whole).
void FillGradient(HDC dc, const RECT& area, const Gradient& gradient, const RECT& clip);
inline void FillGradient(HDC dc, const RECT& area, const Gradient& gradient)
{
    FillGradient(dc, area, gradient, area);
}
// A face of an item: background, and a border when it differs from the background.
void FillItemFace(HDC dc, const RECT& rect, const ItemColors& colours);

// `weight` of `first` (0 to 255) mixed with the rest of `second`.
COLORREF MixColors(COLORREF first, COLORREF second, int weight);

// Excludes the visible child windows of `window` from `dc`'s clipping region, as
// WS_CLIPCHILDREN would.
void ExcludeChildren(HWND window, HDC dc);

// Draws into a memory bitmap the size of `rect` and copies it to the target when it
// goes out of scope; falls back to drawing directly when no bitmap can be made.
class OffscreenCanvas {
public:
    OffscreenCanvas(HDC target, const RECT& rect);
    ~OffscreenCanvas();
    OffscreenCanvas(const OffscreenCanvas&) = delete;
    OffscreenCanvas& operator=(const OffscreenCanvas&) = delete;

    HDC Dc() const { return memory_ ? memory_.Get() : target_; }

private:
    using UniqueDc = ui::UniqueResource<ui::handle_traits::NullIsEmpty<HDC, DeleteDC>>;
    HDC target_;
    RECT rect_;
    UniqueDc memory_;
    ui::UniqueBitmap bitmap_;
    HGDIOBJ previousBitmap_ = nullptr;
};

// Selects an object into a DC for the scope and puts the previous one back.
class ScopedSelect {
public:
    ScopedSelect(HDC dc, HGDIOBJ object) : dc_(dc), previous_(object ? SelectObject(dc, object) : nullptr) {}
    ~ScopedSelect()
    {
        if (previous_)
            SelectObject(dc_, previous_);
    }
    ScopedSelect(const ScopedSelect&) = delete;
    ScopedSelect& operator=(const ScopedSelect&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

}  // namespace appearance
