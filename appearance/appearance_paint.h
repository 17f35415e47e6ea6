// Drawing primitives of the appearance painters. Fills use the DC's own brush colour
// (no GDI object is created per fill); OffscreenCanvas double-buffers a paint.
#pragma once
#include <windows.h>

#include "appearance/appearance_styles.h"
#include "base/handles.h"

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
    HDC target_;
    RECT rect_;
    UniqueMemoryDC memory_;
    UniqueBitmap bitmap_;
    HGDIOBJ previousBitmap_ = nullptr;
};

}  // namespace appearance
