// WindowBase: the base of the program's own window classes (frame, splitter, ...).
//
// One static window procedure serves every class registered through
// RegisterWindowClass: it captures `this` at WM_NCCREATE, routes every message to the
// virtual OnMessage, and forgets the object at WM_NCDESTROY. OnMessage calls the small
// typed hooks below; what they leave unhandled goes to DefWindowProc. No exception
// leaves the procedure.
//
// The object owns its window: destroying the object destroys a window still alive
// (without calling back into the half-destroyed object).
#pragma once
#include <windows.h>
#include <commctrl.h>

#include "ui/window.h"

namespace ui {

class WindowBase : public Window {
public:
    WindowBase() = default;
    virtual ~WindowBase();
    WindowBase(const WindowBase&) = delete;
    WindowBase& operator=(const WindowBase&) = delete;

    // Registers a window class served by WindowBase objects; registering an existing
    // name again succeeds.
    static bool RegisterWindowClass(const char* className, UINT classStyle = CS_HREDRAW | CS_VREDRAW,
                                    HBRUSH background = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1),
                                    HCURSOR cursor = LoadCursor(nullptr, IDC_ARROW),
                                    HICON icon = nullptr);

    // Creates the window of a class registered above, bound to this object.
    // `menuOrId` is the menu of a top-level window or the id of a child window.
    bool Create(const char* className, const std::string& title, DWORD style, DWORD exStyle,
                const RECT& rect, HWND parent, HMENU menuOrId = nullptr);

protected:
    // Every message of the window. The default calls the typed hooks below and passes
    // what they leave to DefaultProc.
    virtual LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT DefaultProc(UINT message, WPARAM wParam, LPARAM lParam)
    {
        return DefWindowProcW(hwnd_, message, wParam, lParam);
    }

    // False fails the creation.
    virtual bool OnCreate(const CREATESTRUCTW&) { return true; }
    virtual void OnSize(UINT /*type*/, int /*width*/, int /*height*/) {}
    // True when handled.
    virtual bool OnCommand(int /*id*/, int /*code*/, HWND /*control*/) { return false; }
    // True when handled; `result` is then the message's result.
    virtual bool OnNotify(NMHDR* /*header*/, LRESULT& /*result*/) { return false; }
    virtual void OnTimer(UINT_PTR /*id*/) {}
    // True when handled (the window stays); false lets DefWindowProc destroy it.
    virtual bool OnClose() { return false; }
    virtual void OnDestroy() {}

private:
    static LRESULT CALLBACK StaticProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
};

}  // namespace ui
