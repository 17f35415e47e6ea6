#include "shell/help_window.h"

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
