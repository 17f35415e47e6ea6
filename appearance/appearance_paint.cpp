#include "appearance/appearance_paint.h"

#include <algorithm>

namespace appearance {

void FillSolid(HDC dc, const RECT& rect, COLORREF colour)
{
    if (rect.right <= rect.left || rect.bottom <= rect.top)
        return;
    COLORREF previous = SetBkColor(dc, colour);
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
    SetBkColor(dc, previous);
}

void FrameSolid(HDC dc, const RECT& rect, COLORREF colour)
{
    FillSolid(dc, {rect.left, rect.top, rect.right, rect.top + 1}, colour);
    FillSolid(dc, {rect.left, rect.bottom - 1, rect.right, rect.bottom}, colour);
    FillSolid(dc, {rect.left, rect.top, rect.left + 1, rect.bottom}, colour);
    FillSolid(dc, {rect.right - 1, rect.top, rect.right, rect.bottom}, colour);
}

COLORREF MixColors(COLORREF first, COLORREF second, int weight)
{
    auto mix = [weight](int a, int b) { return (a * weight + b * (255 - weight) + 127) / 255; };
    return RGB(mix(GetRValue(first), GetRValue(second)), mix(GetGValue(first), GetGValue(second)),
               mix(GetBValue(first), GetBValue(second)));
}

void FillGradient(HDC dc, const RECT& area, const Gradient& gradient, const RECT& clip)
{
    int height = area.bottom - area.top;
    if (gradient.top == gradient.bottom || height <= 1) {
        RECT part{};
        if (IntersectRect(&part, &area, &clip))
            FillSolid(dc, part, gradient.top);
        return;
    }
    int left = std::max(area.left, clip.left);
    int right = std::min(area.right, clip.right);
    int first = std::max(area.top, clip.top);
    int last = std::min(area.bottom, clip.bottom);
    for (int y = first; y < last; ++y) {
        int weight = 255 - (y - area.top) * 255 / (height - 1);
        FillSolid(dc, {left, y, right, y + 1}, MixColors(gradient.top, gradient.bottom, weight));
    }
}

void FillItemFace(HDC dc, const RECT& rect, const ItemColors& colours)
{
    FillSolid(dc, rect, colours.background);
    if (colours.border != colours.background)
        FrameSolid(dc, rect, colours.border);
}

void ExcludeChildren(HWND window, HDC dc)
{
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!IsWindowVisible(child))
            continue;
        RECT rect{};
        GetWindowRect(child, &rect);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rect), 2);
        ExcludeClipRect(dc, rect.left, rect.top, rect.right, rect.bottom);
    }
}

OffscreenCanvas::OffscreenCanvas(HDC target, const RECT& rect) : target_(target), rect_(rect)
{
    int width = rect.right - rect.left;
    int height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0)
        return;
    memory_.Reset(CreateCompatibleDC(target));
    bitmap_.Reset(memory_ ? CreateCompatibleBitmap(target, width, height) : nullptr);
    if (!bitmap_) {
        memory_.Reset();
        return;
    }
    previousBitmap_ = SelectObject(memory_.Get(), bitmap_.Get());
    SetWindowOrgEx(memory_.Get(), rect.left, rect.top, nullptr);
}

OffscreenCanvas::~OffscreenCanvas()
{
    if (!memory_)
        return;
    BitBlt(target_, rect_.left, rect_.top, rect_.right - rect_.left, rect_.bottom - rect_.top,
           memory_.Get(), rect_.left, rect_.top, SRCCOPY);
    SelectObject(memory_.Get(), previousBitmap_);
}

}  // namespace appearance
