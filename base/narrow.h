// Conversions between UTF-16 and the narrow text of the ANSI code page.
#pragma once
#include <windows.h>
#include <string>
#include <string_view>

// UTF-16 to narrow text in the given code page (default: the thread's ANSI code page).
std::string ToNarrow(std::wstring_view text, UINT codePage = CP_THREAD_ACP);

// Narrow text of the given code page to UTF-16.
std::wstring ToWide(std::string_view text, UINT codePage = CP_THREAD_ACP);

// The program's narrow text (the thread's ANSI code page) as UTF-8, for files that
// are UTF-8 whatever the code page.
inline std::string ToUtf8(std::string_view text)
{
    return ToNarrow(ToWide(text), CP_UTF8);
}
