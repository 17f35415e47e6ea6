// Conversions between UTF-16 (what Windows and WMI speak) and the program's own text,
// which is UTF-8 in a std::string everywhere inside the program.
#pragma once
#include <windows.h>
#include <string>
#include <string_view>

// UTF-16 to narrow text: UTF-8 unless another code page is named. A lone surrogate
// (half of a pair that lost its other half) and an embedded NUL become U+FFFD, so the
// text after them stays whole and in place.
// Appends one code point (at most U+10FFFF) to `out` as UTF-8.
void AppendUtf8(std::string& out, char32_t c);

std::string ToNarrow(std::wstring_view text, UINT codePage = CP_UTF8);

// Narrow text (UTF-8 unless another code page is named) to UTF-16. Bytes that are not
// UTF-8 become U+FFFD.
std::wstring ToWide(std::string_view text, UINT codePage = CP_UTF8);

// Bytes of unknown encoding (a list file, a piped line): UTF-8 when they are valid
// UTF-8, else text of the ANSI code page.
std::wstring ToWideFromUtf8OrAnsi(std::string_view bytes);

// UTF-8 text in an ANSI code page, for files and pipes that must stay in it.
struct AnsiText {
    std::string bytes;
    bool lossy = false;   // some character had no equivalent and became "?"
};
AnsiText ToAnsi(std::string_view utf8, UINT codePage = CP_ACP);

// True when every character of `utf8` has an exact equivalent in the code page.
bool FitsCodePage(std::string_view utf8, UINT codePage = CP_ACP);

// Copies UTF-16 `text` into a caller's buffer of `size` characters, always terminated,
// never cutting a surrogate pair. Returns the number of characters copied.
size_t CopyTextToBuffer(std::wstring_view text, wchar_t* buffer, size_t size);
