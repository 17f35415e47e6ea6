// Window: a thin, non-owning wrapper of an HWND with typed one-line methods.
// Copying a Window copies the handle only; destroying a Window leaves the window alone.
#pragma once
#include <windows.h>

#include <string>
#include <string_view>

namespace ui {

class Window {
public:
    Window() = default;
    explicit Window(HWND window) : hwnd_(window) {}

    HWND Handle() const { return hwnd_; }
    void Attach(HWND window) { hwnd_ = window; }
    bool IsValid() const { return hwnd_ && IsWindow(hwnd_); }

    void Enable(bool enable = true) const { EnableWindow(hwnd_, enable); }
    bool IsEnabled() const { return IsWindowEnabled(hwnd_) != FALSE; }
    void Show(int command = SW_SHOW) const { ShowWindow(hwnd_, command); }
    void Hide() const { ShowWindow(hwnd_, SW_HIDE); }
    bool IsVisible() const { return IsWindowVisible(hwnd_) != FALSE; }
    // Shown itself, whether or not its parent is (IsVisible asks for both).
    bool HasVisibleStyle() const { return (GetWindowLongPtrW(hwnd_, GWL_STYLE) & WS_VISIBLE) != 0; }

    bool Move(int x, int y, int width, int height, bool repaint = true) const
    {
        return MoveWindow(hwnd_, x, y, width, height, repaint) != FALSE;
    }
    bool Move(const RECT& rect, bool repaint = true) const
    {
        return Move(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, repaint);
    }
    bool SetWindowPos(HWND insertAfter, int x, int y, int width, int height, UINT flags) const
    {
        return ::SetWindowPos(hwnd_, insertAfter, x, y, width, height, flags) != FALSE;
    }

    RECT ClientRect() const
    {
        RECT rect{};
        GetClientRect(hwnd_, &rect);
        return rect;
    }
    // The window's outer rectangle in screen coordinates.
    RECT WindowRect() const
    {
        RECT rect{};
        GetWindowRect(hwnd_, &rect);
        return rect;
    }
    void ScreenToClient(RECT& rect) const
    {
        MapWindowPoints(nullptr, hwnd_, reinterpret_cast<POINT*>(&rect), 2);
    }
    void ScreenToClient(POINT& point) const { ::ScreenToClient(hwnd_, &point); }
    void ClientToScreen(POINT& point) const { ::ClientToScreen(hwnd_, &point); }

    // Window text, UTF-8 on our side and UTF-16 in the window.
    bool SetText(const std::string& text) const;
    std::string Text() const;

    void SetFont(HFONT font, bool redraw = true) const
    {
        SendMsg(WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw);
    }
    HFONT Font() const { return reinterpret_cast<HFONT>(SendMsg(WM_GETFONT)); }

    LRESULT SendMsg(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return SendMessageW(hwnd_, message, wParam, lParam);
    }
    bool PostMsg(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return PostMessageW(hwnd_, message, wParam, lParam) != FALSE;
    }

    void Invalidate(bool erase = true) const { InvalidateRect(hwnd_, nullptr, erase); }
    // Repaints the window and its children at once (invalidate, erase, paint now).
    void UpdateNow() const
    {
        RedrawWindow(hwnd_, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    }
    // Suspends (false) or resumes (true) redrawing; resuming does not repaint by itself.
    void SetRedraw(bool redraw) const { SendMsg(WM_SETREDRAW, redraw); }

    // Gives the window the keyboard focus; returns the window that had it.
    Window SetFocus() const { return Window(::SetFocus(hwnd_)); }
    bool HasFocus() const { return hwnd_ && GetFocus() == hwnd_; }

    Window GetDlgItem(int id) const { return Window(::GetDlgItem(hwnd_, id)); }
    int ControlId() const { return GetDlgCtrlID(hwnd_); }
    Window Parent() const { return Window(GetParent(hwnd_)); }

    LONG_PTR Style() const { return GetWindowLongPtrW(hwnd_, GWL_STYLE); }
    LONG_PTR ExStyle() const { return GetWindowLongPtrW(hwnd_, GWL_EXSTYLE); }
    void ModifyStyle(LONG_PTR remove, LONG_PTR add) const
    {
        SetWindowLongPtrW(hwnd_, GWL_STYLE, (Style() & ~remove) | add);
    }

    // Destroys the window and forgets the handle.
    bool Destroy()
    {
        bool destroyed = hwnd_ && DestroyWindow(hwnd_);
        hwnd_ = nullptr;
        return destroyed;
    }

protected:
    HWND hwnd_ = nullptr;
};

// Keeps a window from drawing while it changes, and repaints it once when the pause
// ends. A window without WS_VISIBLE draws nothing anyway, and is left alone: resuming
// redrawing would show it.
class RedrawPause {
public:
    explicit RedrawPause(const Window& window) : window_(window), paused_(window.HasVisibleStyle())
    {
        if (paused_)
            window_.SetRedraw(false);
    }
    ~RedrawPause()
    {
        if (!paused_)
            return;
        window_.SetRedraw(true);
        window_.Invalidate();
    }
    RedrawPause(const RedrawPause&) = delete;
    RedrawPause& operator=(const RedrawPause&) = delete;

private:
    const Window& window_;
    bool paused_;
};

// Creates a child window (a control or one of our own classes) with the given
// rectangle in the parent's client coordinates; the handle is null on failure.
Window CreateChildWindow(const char* className, const std::string& text, DWORD style,
                         DWORD exStyle, const RECT& rect, HWND parent, int id);

}  // namespace ui
