// Small UTF-8 text helpers shared by the renderer, the decoders and the lists.
#pragma once
#include <initializer_list>
#include <string>
#include <string_view>

// Removes space, tab, LF, VT, FF and CR from both ends.
std::string TrimWhiteSpace(std::string_view text);
// The same, in place: first from the right, then from the left.
void TrimWhiteSpaceInPlace(std::string& text);

// Case-insensitive comparison of UTF-8 texts, for every script that has case
// (Latin, Greek, Cyrillic, full-width letters...): negative, zero or positive.
int CompareNoCase(const char* left, const char* right);
inline int CompareNoCase(const std::string& left, const std::string& right)
{
    return CompareNoCase(left.c_str(), right.c_str());
}
inline bool EqualsNoCase(const std::string& left, const std::string& right)
{
    return CompareNoCase(left, right) == 0;
}

// `pattern` with every "%1" replaced by `first` and every "%2" by `second`.
std::string FillIn(std::string_view pattern, std::string_view first, std::string_view second = {});
// `pattern` with "%1" to "%9" replaced by the values in order.
std::string FillIn(std::string_view pattern, std::initializer_list<std::string_view> values);

// "0x" and the eight hexadecimal digits of a code (an HRESULT).
std::string HexCode(unsigned long code);
