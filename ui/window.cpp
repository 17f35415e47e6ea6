#include "ui/window.h"

#include <vector>

#include "base/narrow.h"

namespace ui {

bool Window::SetText(const std::string& text) const
{
    return SetWindowTextW(hwnd_, ToWide(text).c_str()) != FALSE;
}

std::string Window::Text() const
{
    int length = GetWindowTextLengthW(hwnd_);
    if (length <= 0)
        return {};
    std::vector<wchar_t> buffer(static_cast<size_t>(length) + 1);
    int copied = GetWindowTextW(hwnd_, buffer.data(), static_cast<int>(buffer.size()));
    return ToNarrow(std::wstring_view(buffer.data(), copied > 0 ? static_cast<size_t>(copied) : 0));
}

Window CreateChildWindow(const char* className, const std::string& text, DWORD style,
                         DWORD exStyle, const RECT& rect, HWND parent, int id)
{
    HWND created = CreateWindowExW(exStyle, ToWide(className).c_str(), ToWide(text).c_str(), style | WS_CHILD,
                                   rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                                   parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                   GetModuleHandleW(nullptr), nullptr);
    return Window(created);
}

}  // namespace ui
