// Icons added to an image list as one strip look as the icons themselves do: drawn on a
// coloured background, each image of the list gives the pixels the icon gives, at the size
// its file holds (copied as stored) and at a larger one (scaled by the system).
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "base/handles.h"
#include "ui/image_list.h"

namespace {

const std::vector<UINT> kIcons = {318, 319, 320, 321, 337, 349};   // category tree icons
constexpr COLORREF kBackground = RGB(40, 120, 200);
constexpr DWORD kBackgroundPixel = 0x2878C8;   // the same in a 32-bit DIB

// Pixels of a `size` x `size` picture on the background, drawn by `draw` into a memory DC.
template <class Draw>
std::vector<DWORD> Picture(int size, const Draw& draw)
{
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), size, -size, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    UniqueMemoryDC dc(CreateCompatibleDC(nullptr));
    UniqueBitmap bitmap(CreateDIBSection(dc.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    ScopedSelect selected(dc.Get(), bitmap.Get());
    UniqueBrush background(CreateSolidBrush(kBackground));
    RECT all{0, 0, size, size};
    FillRect(dc.Get(), &all, background.Get());
    draw(dc.Get());
    GdiFlush();
    const auto* pixels = static_cast<const DWORD*>(bits);
    return std::vector<DWORD>(pixels, pixels + size * size);
}

bool Near(DWORD a, DWORD b)
{
    for (int shift = 0; shift < 24; shift += 8)
        if (std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)) > 2)
            return false;
    return true;
}

void ExpectTheImagesLookLikeTheIcons(int size)
{
    ui::ImageList list = ui::ImageList::Create(size, size, ILC_COLOR32 | ILC_MASK, 8, 8);
    const int first = list.AddIconResources(kIcons);
    ASSERT_EQ(first, 0);
    ASSERT_EQ(list.Count(), static_cast<int>(kIcons.size()));
    for (size_t index = 0; index < kIcons.size(); ++index) {
        UniqueIcon icon(static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kIcons[index]),
                                                      IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
        ASSERT_TRUE(icon) << kIcons[index];
        const std::vector<DWORD> expected = Picture(size, [&](HDC dc) {
            DrawIconEx(dc, 0, 0, icon.Get(), size, size, 0, nullptr, DI_NORMAL);
        });
        const std::vector<DWORD> drawn = Picture(size, [&](HDC dc) {
            ImageList_Draw(list.Handle(), static_cast<int>(index), dc, 0, 0, ILD_NORMAL);
        });
        int background = 0;
        for (size_t pixel = 0; pixel < drawn.size(); ++pixel) {
            ASSERT_TRUE(Near(drawn[pixel], expected[pixel]))
                << "icon " << kIcons[index] << " at " << size << " px, pixel " << pixel % size << "," << pixel / size
                << ": " << std::hex << drawn[pixel] << " instead of " << expected[pixel];
            background += Near(drawn[pixel], kBackgroundPixel);
        }
        EXPECT_GT(background, 0) << "icon " << kIcons[index] << ": its transparent part shows the background";
        EXPECT_LT(background, size * size) << "icon " << kIcons[index] << ": something of it is drawn";
    }
}

}  // namespace

TEST(ImageListTest, IconsAddedAsOneStripLookAsTheIconsAtTheirStoredSize)
{
    ExpectTheImagesLookLikeTheIcons(16);
}

TEST(ImageListTest, IconsAddedAsOneStripLookAsTheIconsWhenScaled)
{
    ExpectTheImagesLookLikeTheIcons(24);
}
