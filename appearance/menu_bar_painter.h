// Paints the top-level items of a frame's menu bar in an appearance style.
//
// Apply() turns the items into owner-drawn ones (their texts stay in the menu, so
// GetMenuString and the system's mnemonic search keep working) and gives the bar the
// style's background brush; Restore() makes them plain strings again with the system
// background. The frame's window procedure must pass WM_MEASUREITEM, WM_DRAWITEM and
// WM_MENUCHAR here, and call PaintEmptyArea after WM_NCPAINT and WM_NCACTIVATE (the
// visual manager's subclass of the frame does).
#pragma once
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "appearance/appearance_styles.h"
#include "base/handles.h"

namespace appearance {

class MenuBarPainter {
public:
    MenuBarPainter() = default;
    ~MenuBarPainter() { Restore(); }
    MenuBarPainter(const MenuBarPainter&) = delete;
    MenuBarPainter& operator=(const MenuBarPainter&) = delete;

    // Paints the bar of `frame`'s current menu in `style` (the style must outlive the
    // painter); a native style restores the system's look.
    void Apply(HWND frame, const AppearanceStyle& style);
    // Plain items and the system background again; releases the brush and the font.
    // Call it also when the frame is being destroyed (its menu still exists then).
    void Restore();

    bool OnMeasureItem(MEASUREITEMSTRUCT& item);
    bool OnDrawItem(const DRAWITEMSTRUCT& item);
    // Answers the mnemonic of a top-level item (LOWORD(wParam): the character).
    bool OnMenuChar(WPARAM wParam, LPARAM lParam, LRESULT& result);
    // Fills the part of the bar no item covers. Call after the frame's non-client area
    // was painted (WM_NCPAINT, WM_NCACTIVATE): some systems ignore the bar's background
    // brush there.
    void PaintEmptyArea() const;

    HMENU Menu() const { return menu_; }

private:
    struct Entry {
        std::wstring text;
        ULONG_PTR previousData = 0;
    };

    void MakeOwnerDrawn();
    void SetBackground(HBRUSH brush);
    const Entry* EntryOf(ULONG_PTR data) const;
    std::wstring ItemText(int position) const;

    HWND frame_ = nullptr;
    HMENU menu_ = nullptr;
    const AppearanceStyle* style_ = nullptr;
    std::vector<std::unique_ptr<Entry>> entries_;
    UniqueBrush background_;
    UniqueFont font_;
};

}  // namespace appearance
