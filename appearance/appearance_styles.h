// The nine appearances of the main window (View > Appearance, commands 210 to 218) as
// plain data: the colours and gradient stops the visual manager paints with.
#pragma once
#include <windows.h>

#include <span>

inline constexpr int kFirstLook = 210;     // Windows 2000
inline constexpr int kLastLook = 218;      // Office 2007 aqua
inline constexpr int kDefaultLook = 214;   // Visual Studio .NET 2005

// A vertical gradient from `top` to `bottom` (equal stops: a flat colour).
struct Gradient {
    COLORREF top;
    COLORREF bottom;
};

// How the face of a menu-bar item or a tab looks in one state.
struct ItemColors {
    COLORREF background;
    COLORREF text;
    COLORREF border;   // the same as `background`: no visible border
};

struct AppearanceStyle {
    int id;                 // the command id, 210..218
    const char* name;       // English name, for logs and tests
    bool nativeLook;        // the system paints everything (Windows XP)
    bool classicControls;   // visual themes switched off on the attached controls (Windows 2000)

    // Menu bar: the bar itself and its top-level items.
    COLORREF menuBar;
    ItemColors menuNormal;
    ItemColors menuHot;        // under the mouse
    ItemColors menuSelected;   // its popup is open

    // Toolbar.
    Gradient toolBar;
    COLORREF toolBarSeparator;
    COLORREF toolBarBorder;    // line along the bottom edge
    ItemColors toolButtonHot;  // a button under the mouse (the image stays)
    ItemColors toolButtonPressed;

    // Status bar.
    Gradient statusBar;
    COLORREF statusText;
    COLORREF statusPaneBorder;

    // Tab control.
    COLORREF tabBackground;    // behind the tab headers
    Gradient tabSelected;      // the face of the selected tab (bottom: the page colour)
    COLORREF tabSelectedText;
    Gradient tabUnselected;
    COLORREF tabUnselectedText;
    COLORREF tabBorder;

    // Forms (dialogs) and the frame.
    COLORREF formBackground;
    COLORREF formText;         // static labels
    COLORREF frameBackground;  // the frame's client area where no child covers it
};

// Every style, in id order (210 first).
std::span<const AppearanceStyle> AllAppearanceStyles();

bool IsValidLook(int lookId);

// The style of `lookId`; an unknown id gives the default style (214).
const AppearanceStyle& StyleForLook(int lookId);

// The relative luminance contrast of two colours (1 to 21), as the accessibility
// guidelines define it; 4.5 or more is readable for ordinary text.
double ContrastRatio(COLORREF first, COLORREF second);
