// Conversions between UTF-16 and the narrow text of the ANSI code page.
#pragma once
#include <windows.h>
#include <string>
#include <string_view>

// UTF-16 to narrow text in the given code page (default: the thread's ANSI code page).
std::string ToNarrow(std::wstring_view text, UINT codePage = CP_THREAD_ACP);

// Narrow text of the given code page to UTF-16.
std::wstring ToWide(std::string_view text, UINT codePage = CP_THREAD_ACP);
