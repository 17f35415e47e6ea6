#include "appearance/visual_manager.h"

#include <commctrl.h>

#include <algorithm>

#include "appearance/appearance_paint.h"
#include "appearance/bar_painters.h"
#include "appearance/tab_painter.h"
#include "ui/subclassed_control.h"

// One subclass of one attached window; every message goes to the manager first.
class VisualManager::Hook : public ui::SubclassedControl {
public:
    Hook(VisualManager& owner, Role role) : owner_(owner), role_(role) {}
    Role GetRole() const { return role_; }
    LRESULT CallDefault(UINT message, WPARAM wParam, LPARAM lParam)
    {
        return DefaultProc(message, wParam, lParam);
    }

protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        LRESULT result = 0;
        if (owner_.HandleMessage(*this, message, wParam, lParam, result))
            return result;
        result = DefaultProc(message, wParam, lParam);
        if (message == WM_NCDESTROY)
            owner_.OnWindowDestroyed(*this);
        return result;
    }

private:
    VisualManager& owner_;
    Role role_;
};

namespace {

bool IsEditControl(HWND control)
{
    wchar_t name[32] = L"";
    GetClassNameW(control, name, static_cast<int>(std::size(name)));
    return lstrcmpiW(name, L"Edit") == 0;
}

// Visual themes off (the classic look) or back to the system's choice. Some systems
// read empty names as "no change" (Wine does); a class list naming no theme class
// switches the theme off there too.
void SetClassicTheme(const VisualManager::ThemeFunctions& themes, HWND window, bool classic)
{
    if (!themes.setWindowTheme)
        return;
    if (!classic) {
        themes.setWindowTheme(window, nullptr, nullptr);
        return;
    }
    themes.setWindowTheme(window, L"", L"");
    if (themes.getWindowTheme && themes.getWindowTheme(window))
        themes.setWindowTheme(window, L" ", L" ");
}

void SetClassicThemeWithChildren(const VisualManager::ThemeFunctions& themes, HWND window, bool classic)
{
    SetClassicTheme(themes, window, classic);
    struct Request {
        const VisualManager::ThemeFunctions& themes;
        bool classic;
    } request{themes, classic};
    EnumChildWindows(
        window,
        [](HWND child, LPARAM param) -> BOOL {
            const Request& asked = *reinterpret_cast<const Request*>(param);
            SetClassicTheme(asked.themes, child, asked.classic);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&request));
}

}  // namespace

VisualManager::VisualManager() : style_(&StyleForLook(kDefaultLook)), uxtheme_(L"uxtheme.dll")
{
    uxtheme_.Find("SetWindowTheme", themes_.setWindowTheme);
    uxtheme_.Find("GetWindowTheme", themes_.getWindowTheme);
}

VisualManager::~VisualManager()
{
    hooks_.clear();
    menuBar_.Restore();
    formBrush_.Reset();
}

bool VisualManager::AttachFrame(HWND frame, HWND toolBar, HWND statusBar)
{
    if (!frame || !IsWindow(frame) || (frame_ && frame_ != frame && IsWindow(frame_)))
        return false;
    frame_ = frame;
    AttachHook(frame, Role::Frame);
    AttachBars(toolBar, statusBar);
    menuBar_.Apply(frame_, *style_);
    return true;
}

void VisualManager::AttachBars(HWND toolBar, HWND statusBar)
{
    toolBar_ = toolBar;
    statusBar_ = statusBar;
    if (toolBar && IsWindow(toolBar)) {
        AttachHook(toolBar, Role::ToolBar);
        HWND parent = GetParent(toolBar);
        if (parent && parent != frame_)
            AttachHook(parent, Role::ToolBarParent);
    }
    if (statusBar && IsWindow(statusBar))
        AttachHook(statusBar, Role::StatusBar);
}

bool VisualManager::AttachTabControl(HWND tab)
{
    return AttachHook(tab, Role::TabControl);
}

bool VisualManager::AttachForm(HWND dialog)
{
    if (!AttachHook(dialog, Role::Form))
        return false;
    if (!formBrush_)
        RefreshBrushes();
    return true;
}

bool VisualManager::AttachHook(HWND window, Role role)
{
    if (!window || !IsWindow(window))
        return false;
    PruneDetached();
    for (const auto& hook : hooks_) {
        if (hook->Handle() == window && hook->GetRole() == role)
            return true;
    }
    auto hook = std::make_unique<Hook>(*this, role);
    if (!hook->Attach(window))
        return false;
    hooks_.push_back(std::move(hook));
    if (themesOff_ && role != Role::Frame && role != Role::ToolBarParent)
        SetClassicThemeWithChildren(themes_, window, true);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    return true;
}

void VisualManager::Apply(int lookId)
{
    style_ = &StyleForLook(lookId);
    PruneDetached();
    RefreshBrushes();
    if (frame_ && IsWindow(frame_))
        menuBar_.Apply(frame_, *style_);
    ApplyThemes();
    Repaint();
}

void VisualManager::RefreshBrushes()
{
    if (style_->nativeLook || hooks_.empty())
        formBrush_.Reset();
    else
        formBrush_.Reset(CreateSolidBrush(style_->formBackground));
}

void VisualManager::ApplyThemes()
{
    bool classic = style_->classicControls;
    if (classic == themesOff_)
        return;
    for (const auto& hook : hooks_) {
        Role role = hook->GetRole();
        if (hook->Handle() && role != Role::Frame && role != Role::ToolBarParent)
            SetClassicThemeWithChildren(themes_, hook->Handle(), classic);
    }
    themesOff_ = classic;
}

// Repaints every top-level window that holds an attached window, children included.
void VisualManager::Repaint()
{
    std::vector<HWND> roots;
    for (const auto& hook : hooks_) {
        HWND root = hook->Handle() ? GetAncestor(hook->Handle(), GA_ROOT) : nullptr;
        if (root && std::find(roots.begin(), roots.end(), root) == roots.end())
            roots.push_back(root);
    }
    for (HWND root : roots) {
        RedrawWindow(root, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    }
}

bool VisualManager::HandleMessage(Hook& hook, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (style_->nativeLook)
        return false;
    switch (hook.GetRole()) {
    case Role::Frame:
        if (message == WM_NCPAINT || message == WM_NCACTIVATE) {
            result = hook.CallDefault(message, wParam, lParam);
            menuBar_.PaintEmptyArea();
            return true;
        }
        return HandleFrame(message, wParam, lParam, result) ||
               (message == WM_NOTIFY && HandleToolBarNotify(lParam, result));
    case Role::ToolBarParent:
        return message == WM_NOTIFY && HandleToolBarNotify(lParam, result);
    case Role::ToolBar:
        if (message != WM_ERASEBKGND)
            return false;
        appearance::PaintToolBarBackground(hook.Handle(), reinterpret_cast<HDC>(wParam), *style_);
        result = 1;
        return true;
    case Role::StatusBar:
    case Role::TabControl:
        if (message == WM_ERASEBKGND && (hook.GetRole() == Role::StatusBar ||
                                         appearance::CanPaintTabControl(hook.Handle()))) {
            result = 1;
            return true;
        }
        return HandlePaint(hook, message, wParam);
    case Role::Form:
        return HandleFormColour(message, wParam, lParam, result);
    }
    return false;
}

bool VisualManager::HandleFrame(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (message) {
    case WM_MEASUREITEM:
        result = TRUE;
        return menuBar_.OnMeasureItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
    case WM_DRAWITEM:
        result = TRUE;
        return menuBar_.OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    case WM_MENUCHAR:
        return menuBar_.OnMenuChar(wParam, lParam, result);
    case WM_ERASEBKGND: {
        RECT client{};
        GetClientRect(frame_, &client);
        appearance::FillSolid(reinterpret_cast<HDC>(wParam), client, style_->frameBackground);
        result = 1;
        return true;
    }
    default:
        return false;
    }
}

bool VisualManager::HandleToolBarNotify(LPARAM lParam, LRESULT& result)
{
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    if (!header || !toolBar_ || header->hwndFrom != toolBar_ || header->code != NM_CUSTOMDRAW)
        return false;
    result = appearance::ToolBarCustomDraw(*reinterpret_cast<NMTBCUSTOMDRAW*>(lParam), *style_);
    return true;
}

bool VisualManager::HandlePaint(Hook& hook, UINT message, WPARAM wParam)
{
    if (message != WM_PAINT && message != WM_PRINTCLIENT)
        return false;
    HWND window = hook.Handle();
    bool tab = hook.GetRole() == Role::TabControl;
    if (tab && !appearance::CanPaintTabControl(window))
        return false;
    auto paint = [&](HDC dc) {
        if (tab)
            appearance::PaintTabControl(window, dc, *style_);
        else
            appearance::PaintStatusBar(window, dc, *style_);
    };
    if (wParam) {  // WM_PRINTCLIENT, or WM_PAINT into a given DC
        paint(reinterpret_cast<HDC>(wParam));
        return true;
    }
    PAINTSTRUCT ps{};
    HDC dc = BeginPaint(window, &ps);
    if (tab) {
        appearance::ExcludeChildren(window, dc);
        appearance::PaintTabPage(window, dc, *style_);
        appearance::OffscreenCanvas canvas(dc, appearance::TabStripRect(window));
        appearance::PaintTabStrip(window, canvas.Dc(), *style_);
    } else {
        RECT client{};
        GetClientRect(window, &client);
        appearance::OffscreenCanvas canvas(dc, client);
        paint(canvas.Dc());
    }
    EndPaint(window, &ps);
    return true;
}

bool VisualManager::HandleFormColour(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (!formBrush_)
        return false;
    HDC dc = reinterpret_cast<HDC>(wParam);
    HWND control = reinterpret_cast<HWND>(lParam);
    switch (message) {
    case WM_CTLCOLORSTATIC:
        if (IsEditControl(control)) {
            // Read-only edit fields stay white; disabled ones keep the system's colours.
            if (!IsWindowEnabled(control))
                return false;
            SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
            SetBkColor(dc, GetSysColor(COLOR_WINDOW));
            result = reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
            return true;
        }
        [[fallthrough]];
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
        SetTextColor(dc, style_->formText);
        SetBkColor(dc, style_->formBackground);
        result = reinterpret_cast<LRESULT>(formBrush_.Get());
        return true;
    default:
        return false;
    }
}

void VisualManager::OnWindowDestroyed(Hook& hook)
{
    HWND window = hook.Handle();
    if (window == frame_) {
        menuBar_.Restore();
        frame_ = nullptr;
    }
    if (window == toolBar_)
        toolBar_ = nullptr;
    if (window == statusBar_)
        statusBar_ = nullptr;
    if (!HasLiveHooks(&hook)) {
        formBrush_.Reset();
        menuBar_.Restore();
    }
}

bool VisualManager::HasLiveHooks(const Hook* except) const
{
    return std::any_of(hooks_.begin(), hooks_.end(), [except](const auto& hook) {
        return hook.get() != except && hook->Handle() != nullptr;
    });
}

void VisualManager::PruneDetached()
{
    std::erase_if(hooks_, [](const auto& hook) { return hook->Handle() == nullptr; });
}
