// The nine appearance styles as data: ids, defaults, readable texts and looks that
// really differ from one another.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "appearance/appearance_styles.h"

namespace {

struct TextPair {
    const char* what;
    COLORREF text;
    COLORREF background;
};

// Every text colour of a style with each background it is drawn on (both stops of a
// gradient).
std::vector<TextPair> TextPairsOf(const AppearanceStyle& style)
{
    return {
        {"menu text on the bar", style.menuNormal.text, style.menuBar},
        {"menu text on its face", style.menuNormal.text, style.menuNormal.background},
        {"hot menu text", style.menuHot.text, style.menuHot.background},
        {"selected menu text", style.menuSelected.text, style.menuSelected.background},
        {"status text (top)", style.statusText, style.statusBar.top},
        {"status text (bottom)", style.statusText, style.statusBar.bottom},
        {"selected tab text (top)", style.tabSelectedText, style.tabSelected.top},
        {"selected tab text (bottom)", style.tabSelectedText, style.tabSelected.bottom},
        {"unselected tab text (top)", style.tabUnselectedText, style.tabUnselected.top},
        {"unselected tab text (bottom)", style.tabUnselectedText, style.tabUnselected.bottom},
        {"label text on the form", style.formText, style.formBackground},
    };
}

int ChannelDistance(COLORREF a, COLORREF b)
{
    return std::max({std::abs(GetRValue(a) - GetRValue(b)), std::abs(GetGValue(a) - GetGValue(b)),
                     std::abs(GetBValue(a) - GetBValue(b))});
}

// The large surfaces that make a look recognisable (the light tops of the gradients
// and the highlights the Office 2007 looks share are left out).
std::vector<COLORREF> SurfacesOf(const AppearanceStyle& style)
{
    return {style.menuBar, style.toolBar.bottom, style.statusBar.bottom, style.formBackground,
            style.tabUnselected.bottom};
}

TEST(AppearanceStyles, NineLooksFrom210To218InOrder)
{
    auto styles = AllAppearanceStyles();
    ASSERT_EQ(styles.size(), 9u);
    std::set<std::string> names;
    for (size_t index = 0; index < styles.size(); ++index) {
        EXPECT_EQ(styles[index].id, 210 + static_cast<int>(index));
        EXPECT_EQ(&StyleForLook(styles[index].id), &styles[index]);
        names.insert(styles[index].name);
    }
    EXPECT_EQ(names.size(), 9u);

    EXPECT_FALSE(IsValidLook(209));
    EXPECT_TRUE(IsValidLook(210));
    EXPECT_TRUE(IsValidLook(218));
    EXPECT_FALSE(IsValidLook(219));
    EXPECT_FALSE(IsValidLook(0));
    EXPECT_FALSE(IsValidLook(-214));
}

TEST(AppearanceStyles, UnknownLooksFallBackToVisualStudio2005)
{
    for (int id : {0, -1, 209, 219, 32797, 0x7fffffff})
        EXPECT_EQ(StyleForLook(id).id, 214) << id;
    EXPECT_EQ(kDefaultLook, 214);
    EXPECT_STREQ(StyleForLook(214).name, "Visual Studio .NET 2005");
}

TEST(AppearanceStyles, OnlyWindowsXpIsNativeAndOnlyWindows2000IsClassic)
{
    for (const AppearanceStyle& style : AllAppearanceStyles()) {
        EXPECT_EQ(style.nativeLook, style.id == 212) << style.name;
        EXPECT_EQ(style.classicControls, style.id == 210) << style.name;
    }
}

TEST(AppearanceStyles, ContrastRatioFollowsTheLuminanceFormula)
{
    EXPECT_NEAR(ContrastRatio(RGB(0, 0, 0), RGB(255, 255, 255)), 21.0, 1e-9);
    EXPECT_NEAR(ContrastRatio(RGB(255, 255, 255), RGB(0, 0, 0)), 21.0, 1e-9);
    EXPECT_NEAR(ContrastRatio(RGB(83, 83, 83), RGB(83, 83, 83)), 1.0, 1e-9);
    // #777777 on white is the classic borderline case: just under 4.5.
    EXPECT_NEAR(ContrastRatio(RGB(0x77, 0x77, 0x77), RGB(255, 255, 255)), 4.48, 0.01);
}

TEST(AppearanceStyles, EveryTextIsReadableOnItsBackground)
{
    for (const AppearanceStyle& style : AllAppearanceStyles()) {
        for (const TextPair& pair : TextPairsOf(style)) {
            EXPECT_GE(ContrastRatio(pair.text, pair.background), 4.5)
                << style.name << ": " << pair.what;
        }
    }
}

TEST(AppearanceStyles, PaintedLooksAreClearlyDifferentFromEachOther)
{
    auto styles = AllAppearanceStyles();
    for (size_t first = 0; first < styles.size(); ++first) {
        for (size_t second = first + 1; second < styles.size(); ++second) {
            if (styles[first].nativeLook || styles[second].nativeLook)
                continue;  // the system's look has colours of its own
            std::vector<COLORREF> a = SurfacesOf(styles[first]);
            std::vector<COLORREF> b = SurfacesOf(styles[second]);
            int clearlyDifferent = 0;
            for (size_t surface = 0; surface < a.size(); ++surface)
                clearlyDifferent += ChannelDistance(a[surface], b[surface]) >= 24;
            EXPECT_GE(clearlyDifferent, 3) << styles[first].name << " / " << styles[second].name;
        }
    }
}

TEST(AppearanceStyles, Office2007ColoursAreBlueBlackSilverAndAqua)
{
    COLORREF blue = StyleForLook(215).menuBar;
    EXPECT_GT(GetBValue(blue), GetRValue(blue) + 40);
    EXPECT_GT(GetBValue(blue), GetGValue(blue) + 20);

    const AppearanceStyle& black = StyleForLook(216);
    for (COLORREF bar : {black.menuBar, black.statusBar.top, black.statusBar.bottom, black.toolBar.bottom})
        EXPECT_LT(ContrastRatio(bar, RGB(0, 0, 0)), 3.0) << "a dark charcoal bar";
    EXPECT_GT(ContrastRatio(black.menuNormal.text, RGB(0, 0, 0)), 15.0) << "light text";

    for (COLORREF silver : {StyleForLook(217).menuBar, StyleForLook(217).formBackground}) {
        int spread = std::max({GetRValue(silver), GetGValue(silver), GetBValue(silver)}) -
                     std::min({GetRValue(silver), GetGValue(silver), GetBValue(silver)});
        EXPECT_LE(spread, 20) << "nearly grey";
        EXPECT_GT(GetGValue(silver), 190) << "light";
    }

    COLORREF aqua = StyleForLook(218).menuBar;
    EXPECT_GT(GetGValue(aqua), GetRValue(aqua) + 30);
    EXPECT_GT(GetBValue(aqua), GetRValue(aqua) + 30);
    EXPECT_LT(std::abs(GetGValue(aqua) - GetBValue(aqua)), 20) << "cyan, not blue";
}

TEST(AppearanceStyles, SelectedTabOpensIntoThePageWithoutASeam)
{
    for (const AppearanceStyle& style : AllAppearanceStyles()) {
        if (style.nativeLook)
            continue;
        EXPECT_EQ(style.tabSelected.bottom, style.formBackground) << style.name;
        EXPECT_NE(style.tabSelected.top, style.tabUnselected.top) << style.name;
    }
}

}  // namespace
