#include "shell/help_window.h"

#include <algorithm>

#include "resources/resource.h"
#include "resources/text.h"
#include "ui/center_window.h"

std::wstring LoadHelpText()
{
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC found = FindResourceExW(module, MAKEINTRESOURCEW(10), MAKEINTRESOURCEW(IDR_HELP_TEXT), TextLanguage());
    if (!found)
        found = FindResourceW(module, MAKEINTRESOURCEW(IDR_HELP_TEXT), MAKEINTRESOURCEW(10));   // RT_RCDATA
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    const char* bytes = loaded ? static_cast<const char*>(LockResource(loaded)) : nullptr;
    const int size = found ? static_cast<int>(SizeofResource(module, found)) : 0;
    if (!bytes || size <= 0)
        return {};
    std::wstring text(static_cast<size_t>(size), L'\0');
    text.resize(static_cast<size_t>(MultiByteToWideChar(CP_UTF8, 0, bytes, size, text.data(), size)));
    // An edit control breaks lines only at CR LF.
    std::wstring lines;
    lines.reserve(text.size() + text.size() / 40);
    for (wchar_t character : text) {
        if (character == L'\n' && (lines.empty() || lines.back() != L'\r'))
            lines += L'\r';
        lines += character;
    }
    return lines;
}

HelpWindow::HelpWindow() : ui::Dialog(IDD_HELP) {}

bool HelpWindow::Open(HWND owner)
{
    if (!IsOpen() && !CreateModeless(owner))
        return false;
    ShowWindow(hwnd_, SW_SHOW);
    SetForegroundWindow(hwnd_);
    return true;
}

bool HelpWindow::OnInitDialog()
{
    SetDlgItemTextW(hwnd_, IDC_HELP_TEXT, LoadHelpText().c_str());
    const RECT opened = WindowRect();
    minimum_ = SIZE{(opened.right - opened.left) / 2, (opened.bottom - opened.top) / 2};
    ui::CenterOnOwner(hwnd_, GetWindow(hwnd_, GW_OWNER));
    ::SetFocus(::GetDlgItem(hwnd_, IDOK));
    return false;
}

bool HelpWindow::OnCommand(int id, int, HWND)
{
    if (id != IDOK && id != IDCANCEL)
        return false;
    EndDialog(id);   // a modeless window: destroyed, created anew next time
    return true;
}

void HelpWindow::OnSize(UINT type, int width, int height)
{
    if (type == SIZE_MINIMIZED)
        return;
    // The margins and the button's size of the template, in this window's pixels.
    RECT units{7, 7, 50, 14};
    MapDialogRect(hwnd_, &units);
    const int margin = units.left;
    const int buttonWidth = units.right;
    const int buttonHeight = units.bottom;
    const HWND text = ::GetDlgItem(hwnd_, IDC_HELP_TEXT);
    const HWND close = ::GetDlgItem(hwnd_, IDOK);
    const int textHeight = std::max(0, height - 3 * margin - buttonHeight);
    MoveWindow(text, margin, margin, std::max(0, width - 2 * margin), textHeight, TRUE);
    MoveWindow(close, width - margin - buttonWidth, height - margin - buttonHeight, buttonWidth, buttonHeight, TRUE);
}

INT_PTR HelpWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_GETMINMAXINFO && minimum_.cx > 0) {
        MINMAXINFO* limits = reinterpret_cast<MINMAXINFO*>(lParam);
        limits->ptMinTrackSize = POINT{minimum_.cx, minimum_.cy};
        return TRUE;
    }
    return ui::Dialog::OnMessage(message, wParam, lParam);
}
