// VisualManager: paints the main window and its forms in one of the nine appearance
// styles (210 to 218) and switches between them at run time.
//
// Integration: the manager subclasses every window it is given (ui::AddSubclass),
// so the frame and the forms need no code of their own beyond the Attach calls:
//   - AttachFrame(frame, toolBar, statusBar): the frame's subclass answers
//     WM_MEASUREITEM / WM_DRAWITEM / WM_MENUCHAR of the owner-drawn menu-bar items,
//     the toolbar's NM_CUSTOMDRAW (arriving at the toolbar's parent, which is
//     subclassed as well when it is not the frame) and WM_ERASEBKGND of the client;
//     the toolbar's subclass paints its background, the status bar's subclass paints
//     the whole bar (texts set with SB_SETTEXT keep working).
//   - AttachTabControl(tab): the tab control's subclass paints it.
//   - AttachForm(dialog): the dialog's subclass answers WM_CTLCOLORDLG,
//     WM_CTLCOLORSTATIC and WM_CTLCOLORBTN before the dialog procedure sees them
//     (labels get the style's colours; edit fields keep the window colours).
// Messages the manager does not paint go on to the window's own procedure unchanged.
// A window attached after Apply() gets the current style at once. The Windows XP look
// (212) paints nothing: every message goes to the windows themselves.
//
// One manager per frame, on the frame's thread. Subclasses end when their window is
// destroyed or the manager is; the brushes and the font go with the last attached
// window, or with the manager.
#pragma once
#include <windows.h>

#include <memory>
#include <vector>

#include "appearance/appearance_styles.h"
#include "appearance/menu_bar_painter.h"
#include "base/handles.h"
#include "base/system_library.h"

class VisualManager {
public:
    VisualManager();
    ~VisualManager();
    VisualManager(const VisualManager&) = delete;
    VisualManager& operator=(const VisualManager&) = delete;

    // `toolBar` and `statusBar` may be null. False when `frame` is not a window.
    bool AttachFrame(HWND frame, HWND toolBar, HWND statusBar);
    // The frame's bars, when they are made after the frame (null: none).
    void AttachBars(HWND toolBar, HWND statusBar);
    bool AttachTabControl(HWND tab);
    bool AttachForm(HWND dialog);

    // Switches every attached window to the style of `lookId` (an unknown id: 214)
    // and repaints the frame with all its children at once.
    void Apply(int lookId);
    int CurrentLook() const { return style_->id; }
    const AppearanceStyle& CurrentStyle() const { return *style_; }

    // The two functions of uxtheme.dll that switch a control's visual theme, taken from
    // the system folder's DLL (null where it has none: the themes stay as they are).
    struct ThemeFunctions {
        HRESULT(WINAPI* setWindowTheme)(HWND, LPCWSTR, LPCWSTR) = nullptr;
        HANDLE(WINAPI* getWindowTheme)(HWND) = nullptr;
    };

private:
    enum class Role { Frame, ToolBarParent, ToolBar, StatusBar, TabControl, Form };
    class Hook;

    bool AttachHook(HWND window, Role role);
    bool HandleMessage(Hook& hook, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    bool HandleFrame(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    bool HandleToolBarNotify(LPARAM lParam, LRESULT& result);
    bool HandlePaint(Hook& hook, UINT message, WPARAM wParam);
    bool HandleFormColour(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    void OnWindowDestroyed(Hook& hook);
    void ApplyThemes();
    void RefreshBrushes();
    void Repaint();
    bool HasLiveHooks(const Hook* except) const;
    void PruneDetached();

    const AppearanceStyle* style_;
    SystemLibrary uxtheme_;
    ThemeFunctions themes_;
    HWND frame_ = nullptr;
    HWND toolBar_ = nullptr;
    HWND statusBar_ = nullptr;
    std::vector<std::unique_ptr<Hook>> hooks_;
    appearance::MenuBarPainter menuBar_;
    UniqueBrush formBrush_;
    bool themesOff_ = false;
};
