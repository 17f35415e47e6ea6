#include "appearance/appearance_styles.h"

#include <array>
#include <cmath>

namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);

constexpr Gradient Flat(COLORREF colour)
{
    return {colour, colour};
}

// The orange highlights shared by the Office 2007 styles.
constexpr ItemColors Office2007Hot(COLORREF text)
{
    return {RGB(255, 231, 162), text, RGB(255, 189, 105)};
}
constexpr ItemColors Office2007Pressed(COLORREF text)
{
    return {RGB(255, 171, 63), text, RGB(194, 118, 43)};
}

// Classic grey of Windows 2000, with its navy selection.
constexpr COLORREF kClassicFace = RGB(212, 208, 200);
constexpr AppearanceStyle kWindows2000{
    .id = 210,
    .name = "Windows 2000",
    .nativeLook = false,
    .classicControls = true,
    .menuBar = kClassicFace,
    .menuNormal = {kClassicFace, kBlack, kClassicFace},
    .menuHot = {kClassicFace, kBlack, RGB(128, 128, 128)},
    .menuSelected = {RGB(10, 36, 106), kWhite, RGB(10, 36, 106)},
    .toolBar = Flat(kClassicFace),
    .toolBarSeparator = RGB(128, 128, 128),
    .toolBarBorder = RGB(128, 128, 128),
    .toolButtonHot = {kClassicFace, kBlack, RGB(128, 128, 128)},
    .toolButtonPressed = {RGB(196, 192, 184), kBlack, RGB(64, 64, 64)},
    .statusBar = Flat(kClassicFace),
    .statusText = kBlack,
    .statusPaneBorder = RGB(128, 128, 128),
    .tabBackground = kClassicFace,
    .tabSelected = Flat(kClassicFace),
    .tabSelectedText = kBlack,
    .tabUnselected = {RGB(204, 200, 191), RGB(192, 188, 179)},
    .tabUnselectedText = kBlack,
    .tabBorder = RGB(128, 128, 128),
    .formBackground = kClassicFace,
    .formText = kBlack,
    .frameBackground = RGB(128, 128, 128),
};

// Light and flat: white menu bar, pale toolbar, blue-grey highlights.
constexpr AppearanceStyle kOfficeXp{
    .id = 211,
    .name = "Office XP",
    .nativeLook = false,
    .classicControls = false,
    .menuBar = RGB(252, 252, 252),
    .menuNormal = {RGB(252, 252, 252), kBlack, RGB(252, 252, 252)},
    .menuHot = {RGB(182, 189, 210), kBlack, RGB(10, 36, 106)},
    .menuSelected = {RGB(235, 233, 230), kBlack, RGB(102, 102, 102)},
    .toolBar = Flat(RGB(247, 246, 243)),
    .toolBarSeparator = RGB(166, 166, 166),
    .toolBarBorder = RGB(182, 189, 210),
    .toolButtonHot = {RGB(182, 189, 210), kBlack, RGB(10, 36, 106)},
    .toolButtonPressed = {RGB(133, 146, 181), kBlack, RGB(10, 36, 106)},
    .statusBar = Flat(RGB(239, 237, 232)),
    .statusText = kBlack,
    .statusPaneBorder = RGB(133, 146, 181),
    .tabBackground = RGB(247, 246, 243),
    .tabSelected = {kWhite, RGB(247, 246, 243)},
    .tabSelectedText = kBlack,
    .tabUnselected = {RGB(230, 228, 222), RGB(222, 219, 212)},
    .tabUnselectedText = RGB(51, 51, 51),
    .tabBorder = RGB(133, 146, 181),
    .formBackground = RGB(247, 246, 243),
    .formText = kBlack,
    .frameBackground = RGB(200, 200, 200),
};

// The system's own themed look; these colours (Luna) only describe it.
constexpr AppearanceStyle kWindowsXp{
    .id = 212,
    .name = "Windows XP",
    .nativeLook = true,
    .classicControls = false,
    .menuBar = RGB(236, 233, 216),
    .menuNormal = {RGB(236, 233, 216), kBlack, RGB(236, 233, 216)},
    .menuHot = {RGB(49, 106, 197), kWhite, RGB(49, 106, 197)},
    .menuSelected = {RGB(49, 106, 197), kWhite, RGB(49, 106, 197)},
    .toolBar = {RGB(250, 249, 245), RGB(226, 223, 207)},
    .toolBarSeparator = RGB(197, 194, 184),
    .toolBarBorder = RGB(226, 223, 207),
    .toolButtonHot = {RGB(193, 210, 238), kBlack, RGB(49, 106, 197)},
    .toolButtonPressed = {RGB(152, 181, 226), kBlack, RGB(49, 106, 197)},
    .statusBar = Flat(RGB(236, 233, 216)),
    .statusText = kBlack,
    .statusPaneBorder = RGB(172, 168, 153),
    .tabBackground = RGB(236, 233, 216),
    .tabSelected = {kWhite, RGB(252, 252, 254)},
    .tabSelectedText = kBlack,
    .tabUnselected = {kWhite, RGB(236, 235, 230)},
    .tabUnselectedText = kBlack,
    .tabBorder = RGB(145, 155, 156),
    .formBackground = RGB(236, 233, 216),
    .formText = kBlack,
    .frameBackground = RGB(128, 128, 128),
};

// Blue gradients; dark blue status bar with white text.
constexpr AppearanceStyle kOffice2003{
    .id = 213,
    .name = "Office 2003",
    .nativeLook = false,
    .classicControls = false,
    .menuBar = RGB(158, 190, 245),
    .menuNormal = {RGB(158, 190, 245), kBlack, RGB(158, 190, 245)},
    .menuHot = {RGB(255, 238, 194), kBlack, RGB(0, 0, 128)},
    .menuSelected = {RGB(227, 239, 255), kBlack, RGB(0, 45, 150)},
    .toolBar = {RGB(221, 236, 254), RGB(129, 169, 226)},
    .toolBarSeparator = RGB(106, 140, 203),
    .toolBarBorder = RGB(59, 97, 156),
    .toolButtonHot = {RGB(255, 238, 194), kBlack, RGB(0, 0, 128)},
    .toolButtonPressed = {RGB(254, 128, 62), kBlack, RGB(0, 0, 128)},
    .statusBar = {RGB(59, 97, 156), RGB(22, 56, 128)},
    .statusText = kWhite,
    .statusPaneBorder = RGB(129, 169, 226),
    .tabBackground = RGB(216, 231, 252),
    .tabSelected = {kWhite, RGB(216, 231, 252)},
    .tabSelectedText = RGB(0, 32, 96),
    .tabUnselected = {RGB(196, 218, 250), RGB(158, 190, 245)},
    .tabUnselectedText = RGB(0, 32, 96),
    .tabBorder = RGB(59, 97, 156),
    .formBackground = RGB(216, 231, 252),
    .formText = RGB(0, 32, 96),
    .frameBackground = RGB(144, 153, 174),
};

// Warm beige and grey gradients.
constexpr AppearanceStyle kVisualStudio2005{
    .id = 214,
    .name = "Visual Studio .NET 2005",
    .nativeLook = false,
    .classicControls = false,
    .menuBar = RGB(236, 233, 216),
    .menuNormal = {RGB(236, 233, 216), kBlack, RGB(236, 233, 216)},
    .menuHot = {RGB(193, 210, 238), kBlack, RGB(49, 106, 197)},
    .menuSelected = {RGB(250, 249, 245), kBlack, RGB(138, 134, 122)},
    .toolBar = {RGB(250, 249, 245), RGB(196, 193, 176)},
    .toolBarSeparator = RGB(166, 162, 146),
    .toolBarBorder = RGB(163, 160, 143),
    .toolButtonHot = {RGB(193, 210, 238), kBlack, RGB(49, 106, 197)},
    .toolButtonPressed = {RGB(152, 181, 226), kBlack, RGB(49, 106, 197)},
    .statusBar = {RGB(243, 241, 232), RGB(214, 210, 192)},
    .statusText = kBlack,
    .statusPaneBorder = RGB(163, 160, 143),
    .tabBackground = RGB(240, 238, 228),
    .tabSelected = {kWhite, RGB(240, 238, 228)},
    .tabSelectedText = kBlack,
    .tabUnselected = {RGB(236, 233, 216), RGB(214, 210, 192)},
    .tabUnselectedText = RGB(51, 51, 51),
    .tabBorder = RGB(145, 141, 125),
    .formBackground = RGB(240, 238, 228),
    .formText = kBlack,
    .frameBackground = RGB(171, 167, 150),
};

// Light blue bars with dark blue text and orange highlights.
constexpr COLORREF kOffice2007BlueText = RGB(21, 66, 139);
constexpr COLORREF kOffice2007BlueForm = RGB(207, 223, 247);
constexpr AppearanceStyle kOffice2007Blue{
    .id = 215,
    .name = "Office 2007 (blue)",
    .nativeLook = false,
    .classicControls = false,
    .menuBar = RGB(191, 219, 255),
    .menuNormal = {RGB(191, 219, 255), kOffice2007BlueText, RGB(191, 219, 255)},
    .menuHot = Office2007Hot(kOffice2007BlueText),
    .menuSelected = Office2007Pressed(kOffice2007BlueText),
    .toolBar = {RGB(227, 239, 255), RGB(175, 210, 255)},
    .toolBarSeparator = RGB(101, 147, 207),
    .toolBarBorder = RGB(101, 147, 207),
    .toolButtonHot = Office2007Hot(kOffice2007BlueText),
    .toolButtonPressed = Office2007Pressed(kOffice2007BlueText),
    .statusBar = {RGB(221, 236, 254), RGB(167, 199, 238)},
    .statusText = kOffice2007BlueText,
    .statusPaneBorder = RGB(101, 147, 207),
    .tabBackground = kOffice2007BlueForm,
    .tabSelected = {kWhite, kOffice2007BlueForm},
    .tabSelectedText = kOffice2007BlueText,
    .tabUnselected = {RGB(233, 242, 255), RGB(191, 219, 255)},
    .tabUnselectedText = kOffice2007BlueText,
    .tabBorder = RGB(101, 147, 207),
    .formBackground = kOffice2007BlueForm,
    .formText = kOffice2007BlueText,
    .frameBackground = RGB(101, 147, 207),
};

// Dark charcoal bars with light text.
constexpr AppearanceStyle kOffice2007Black{
    .id = 216,
    .name = "Office 2007 (black)",
    .nativeLook = false,
    .classicControls = false,
    .menuBar = RGB(83, 83, 83),
    .menuNormal = {RGB(83, 83, 83), kWhite, RGB(83, 83, 83)},
    .menuHot = Office2007Hot(kBlack),
    .menuSelected = Office2007Pressed(kBlack),
    .toolBar = {RGB(120, 120, 120), RGB(70, 70, 70)},
    .toolBarSeparator = RGB(170, 170, 170),
    .toolBarBorder = RGB(40, 40, 40),
    .toolButtonHot = Office2007Hot(kBlack),
    .toolButtonPressed = Office2007Pressed(kBlack),
    .statusBar = {RGB(76, 76, 76), RGB(40, 40, 40)},
    .statusText = RGB(240, 240, 240),
    .statusPaneBorder = RGB(120, 120, 120),
    .tabBackground = RGB(89, 89, 89),
    .tabSelected = {RGB(110, 110, 110), RGB(89, 89, 89)},
    .tabSelectedText = kWhite,
    .tabUnselected = {RGB(66, 66, 66), RGB(50, 50, 50)},
    .tabUnselectedText = RGB(200, 200, 200),
    .tabBorder = RGB(30, 30, 30),
    .formBackground = RGB(89, 89, 89),
    .formText = RGB(240, 240, 240),
    .frameBackground = RGB(50, 50, 50),
};

// Metallic blue-grey gradients.
constexpr COLORREF kOffice2007SilverText = RGB(40, 46, 56);
constexpr COLORREF kOffice2007SilverForm = RGB(222, 226, 232);
constexpr COLORREF kOffice2007SilverLine = RGB(130, 136, 150);
constexpr AppearanceStyle kOffice2007Silver{
    .id = 217,
    .name = "Office 2007 (silver)",
    .nativeLook = false,
    .classicControls = false,
    .menuBar = RGB(197, 203, 214),
    .menuNormal = {RGB(197, 203, 214), kOffice2007SilverText, RGB(197, 203, 214)},
    .menuHot = Office2007Hot(kOffice2007SilverText),
    .menuSelected = Office2007Pressed(kOffice2007SilverText),
    .toolBar = {RGB(244, 245, 247), RGB(176, 182, 195)},
    .toolBarSeparator = kOffice2007SilverLine,
    .toolBarBorder = RGB(140, 146, 160),
    .toolButtonHot = Office2007Hot(kOffice2007SilverText),
    .toolButtonPressed = Office2007Pressed(kOffice2007SilverText),
    .statusBar = {RGB(226, 229, 234), RGB(168, 175, 188)},
    .statusText = kOffice2007SilverText,
    .statusPaneBorder = kOffice2007SilverLine,
    .tabBackground = kOffice2007SilverForm,
    .tabSelected = {kWhite, kOffice2007SilverForm},
    .tabSelectedText = kOffice2007SilverText,
    .tabUnselected = {RGB(206, 211, 219), RGB(180, 186, 198)},
    .tabUnselectedText = kOffice2007SilverText,
    .tabBorder = kOffice2007SilverLine,
    .formBackground = kOffice2007SilverForm,
    .formText = kOffice2007SilverText,
    .frameBackground = RGB(150, 156, 170),
};

// Cyan bars with dark teal text.
constexpr COLORREF kOffice2007AquaText = RGB(0, 62, 74);
constexpr AppearanceStyle kOffice2007Aqua{
    .id = 218,
    .name = "Office 2007 (aqua)",
    .nativeLook = false,
    .classicControls = false,
    .menuBar = RGB(174, 220, 228),
    .menuNormal = {RGB(174, 220, 228), kOffice2007AquaText, RGB(174, 220, 228)},
    .menuHot = Office2007Hot(kOffice2007AquaText),
    .menuSelected = Office2007Pressed(kOffice2007AquaText),
    .toolBar = {RGB(228, 246, 249), RGB(140, 206, 218)},
    .toolBarSeparator = RGB(72, 150, 166),
    .toolBarBorder = RGB(72, 150, 166),
    .toolButtonHot = Office2007Hot(kOffice2007AquaText),
    .toolButtonPressed = Office2007Pressed(kOffice2007AquaText),
    .statusBar = {RGB(170, 222, 230), RGB(110, 190, 205)},
    .statusText = RGB(0, 50, 60),
    .statusPaneBorder = RGB(72, 150, 166),
    .tabBackground = RGB(220, 240, 244),
    .tabSelected = {kWhite, RGB(220, 240, 244)},
    .tabSelectedText = kOffice2007AquaText,
    .tabUnselected = {RGB(200, 232, 238), RGB(160, 210, 220)},
    .tabUnselectedText = kOffice2007AquaText,
    .tabBorder = RGB(72, 150, 166),
    .formBackground = RGB(220, 240, 244),
    .formText = kOffice2007AquaText,
    .frameBackground = RGB(72, 150, 166),
};

constexpr std::array<AppearanceStyle, 9> kStyles{
    kWindows2000, kOfficeXp,        kWindowsXp,         kOffice2003,     kVisualStudio2005,
    kOffice2007Blue, kOffice2007Black, kOffice2007Silver, kOffice2007Aqua};

static_assert(kStyles.front().id == kFirstLook && kStyles.back().id == kLastLook);

// sRGB channel (0-255) to linear light.
double Linear(int channel)
{
    double value = channel / 255.0;
    return value <= 0.03928 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
}

double Luminance(COLORREF colour)
{
    return 0.2126 * Linear(GetRValue(colour)) + 0.7152 * Linear(GetGValue(colour)) +
           0.0722 * Linear(GetBValue(colour));
}

}  // namespace

std::span<const AppearanceStyle> AllAppearanceStyles()
{
    return kStyles;
}

bool IsValidLook(int lookId)
{
    return lookId >= kFirstLook && lookId <= kLastLook;
}

const AppearanceStyle& StyleForLook(int lookId)
{
    int id = IsValidLook(lookId) ? lookId : kDefaultLook;
    return kStyles[static_cast<size_t>(id - kFirstLook)];
}

double ContrastRatio(COLORREF first, COLORREF second)
{
    double a = Luminance(first);
    double b = Luminance(second);
    return a > b ? (a + 0.05) / (b + 0.05) : (b + 0.05) / (a + 0.05);
}
