// Helpers shared by the window layer's tests: common controls, a host window, and
// dialog templates built in memory.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

#include "ui/window_base.h"

namespace uitest {

inline void EnsureCommonControls()
{
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
}

// A hidden top-level window of our own class that records the notifications and
// commands its children send, and answers them through optional functions.
class HostWindow : public ui::WindowBase {
public:
    static constexpr const char* kClassName = "MirelTestHost";

    explicit HostWindow(int width = 600, int height = 400)
    {
        EnsureCommonControls();
        RegisterWindowClass(kClassName);
        RECT rect{0, 0, width, height};
        Create(kClassName, "host", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, rect, nullptr);
    }

    std::function<bool(NMHDR*, LRESULT&)> onNotify;
    std::vector<UINT> notifyCodes;
    std::vector<int> commands;

protected:
    bool OnNotify(NMHDR* header, LRESULT& result) override
    {
        notifyCodes.push_back(header->code);
        return onNotify ? onNotify(header, result) : false;
    }
    bool OnCommand(int id, int, HWND) override
    {
        commands.push_back(id);
        return true;
    }
};

// Builds a DLGTEMPLATE with its items in memory, as the resource compiler would.
class DialogTemplate {
public:
    DialogTemplate(DWORD style, short width, short height, const wchar_t* title = L"")
    {
        AddDword(style | DS_SETFONT);
        AddDword(0);      // extended style
        data_.push_back(0);  // item count, filled in by Get()
        for (short value : {short(0), short(0), width, height})
            data_.push_back(static_cast<WORD>(value));
        data_.push_back(0);  // no menu
        data_.push_back(0);  // the standard dialog class
        AddText(title);
        data_.push_back(8);  // font size
        AddText(L"MS Shell Dlg");
    }

    // A control of a predefined class: 0x80 button, 0x81 edit, 0x82 static, 0x85 combo box.
    void AddControl(WORD classAtom, const wchar_t* text, WORD id, DWORD style, short x, short y,
                    short width, short height)
    {
        AddItemHeader(style, id, x, y, width, height);
        data_.push_back(0xFFFF);
        data_.push_back(classAtom);
        AddItemTail(text);
    }
    // A control of a class given by name.
    void AddControl(const wchar_t* className, const wchar_t* text, WORD id, DWORD style, short x,
                    short y, short width, short height)
    {
        AddItemHeader(style, id, x, y, width, height);
        AddText(className);
        AddItemTail(text);
    }

    const DLGTEMPLATE* Get()
    {
        data_[4] = items_;
        return reinterpret_cast<const DLGTEMPLATE*>(data_.data());
    }

private:
    void AddDword(DWORD value)
    {
        data_.push_back(LOWORD(value));
        data_.push_back(HIWORD(value));
    }
    void AddText(const wchar_t* text)
    {
        for (; *text; ++text)
            data_.push_back(static_cast<WORD>(*text));
        data_.push_back(0);
    }
    void AddItemHeader(DWORD style, WORD id, short x, short y, short width, short height)
    {
        if (data_.size() % 2)
            data_.push_back(0);  // items start on a DWORD boundary
        AddDword(style | WS_CHILD | WS_VISIBLE);
        AddDword(0);
        for (short value : {x, y, width, height})
            data_.push_back(static_cast<WORD>(value));
        data_.push_back(id);
    }
    void AddItemTail(const wchar_t* text)
    {
        AddText(text);
        data_.push_back(0);  // no creation data
        ++items_;
    }

    std::vector<WORD> data_;
    WORD items_ = 0;
};

}  // namespace uitest
