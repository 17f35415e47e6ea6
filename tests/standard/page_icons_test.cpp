#include <gtest/gtest.h>

#include <windows.h>

#include "resources/resource.h"
#include "standard/category_catalog.h"

namespace {

bool IconLoads(int id, int size)
{
    HICON icon = static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id),
                                               IMAGE_ICON, size, size, 0));
    if (!icon)
        return false;
    DestroyIcon(icon);
    return true;
}

}  // namespace

TEST(PageIcons, EveryPageHasItsSmallIcon)
{
    for (int page = 0; page < kPageCount; ++page)
        EXPECT_TRUE(IconLoads(PageIconId(page), 16)) << "page " << page;
    for (int id = IDI_PAGE_ROOT; id <= IDI_PAGE_LAST; ++id)
        EXPECT_TRUE(IconLoads(id, 16)) << id;
    EXPECT_FALSE(IconLoads(IDI_PAGE_LAST + 1, 16));
}

TEST(PageIcons, ProgramIconAndToolbarBitmaps)
{
    EXPECT_TRUE(IconLoads(IDR_MAINFRAME, 16));
    EXPECT_TRUE(IconLoads(IDR_MAINFRAME, 32));
    for (int id : {IDR_MAINFRAME, IDR_MAINFRAME_256}) {
        HBITMAP bitmap = LoadBitmapW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id));
        ASSERT_NE(bitmap, nullptr) << id;
        BITMAP info{};
        GetObjectW(bitmap, sizeof info, &info);
        EXPECT_EQ(info.bmHeight, 16);   // one row of 16-pixel buttons
        DeleteObject(bitmap);
    }
}
