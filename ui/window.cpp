#include "ui/window.h"

#include <vector>

namespace ui {

std::string Window::Text() const
{
    // The length may overstate the text (double-byte conversions); the copy tells.
    int length = GetWindowTextLengthA(hwnd_);
    if (length <= 0)
        return {};
    std::vector<char> buffer(static_cast<size_t>(length) + 1);
    int copied = GetWindowTextA(hwnd_, buffer.data(), static_cast<int>(buffer.size()));
    return std::string(buffer.data(), copied > 0 ? static_cast<size_t>(copied) : 0);
}

Window CreateChildWindow(const char* className, const std::string& text, DWORD style,
                         DWORD exStyle, const RECT& rect, HWND parent, int id)
{
    HWND created = CreateWindowExA(exStyle, className, text.c_str(), style | WS_CHILD, rect.left,
                                   rect.top, rect.right - rect.left, rect.bottom - rect.top,
                                   parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                   GetModuleHandleA(nullptr), nullptr);
    return Window(created);
}

size_t CopyTextToBuffer(std::string_view text, char* buffer, size_t size)
{
    if (!buffer || size == 0)
        return 0;
    size_t copied = 0;
    while (copied < text.size()) {
        bool doubleByte = IsDBCSLeadByte(static_cast<BYTE>(text[copied])) && copied + 1 < text.size();
        size_t step = doubleByte ? 2 : 1;
        if (copied + step > size - 1)
            break;
        copied += step;
    }
    text.copy(buffer, copied);
    buffer[copied] = '\0';
    return copied;
}

}  // namespace ui
