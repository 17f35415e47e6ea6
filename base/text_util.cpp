#include "base/text_util.h"

#include <windows.h>

#include "base/narrow.h"

namespace {
constexpr std::string_view kWhiteSpace = " \t\n\v\f\r";
}

std::string TrimWhiteSpace(std::string_view text)
{
    size_t last = text.find_last_not_of(kWhiteSpace);
    if (last == std::string_view::npos)
        return {};
    size_t first = text.find_first_not_of(kWhiteSpace);
    return std::string(text.substr(first, last - first + 1));
}

void TrimWhiteSpaceInPlace(std::string& text)
{
    text.erase(text.find_last_not_of(kWhiteSpace) + 1);
    text.erase(0, text.find_first_not_of(kWhiteSpace));
}

int CompareNoCase(const char* left, const char* right)
{
    // Letters fold to lower case, as the C library's case-insensitive comparison does
    // ("_" sorts before the letters). ASCII runs compare here; from the first non-ASCII
    // byte on, the rest is folded by Windows' case mapping of the UTF-16 texts.
    size_t at = 0;
    for (;; ++at) {
        const unsigned char l = static_cast<unsigned char>(left[at]);
        const unsigned char r = static_cast<unsigned char>(right[at]);
        if (l >= 0x80 || r >= 0x80)
            break;
        const int ll = (l >= 'A' && l <= 'Z') ? l + 32 : l;
        const int rl = (r >= 'A' && r <= 'Z') ? r + 32 : r;
        if (ll != rl)
            return ll - rl;
        if (l == 0)
            return 0;
    }
    std::wstring l = ToWide(left + at);
    std::wstring r = ToWide(right + at);
    if (!l.empty())
        CharLowerBuffW(l.data(), static_cast<DWORD>(l.size()));
    if (!r.empty())
        CharLowerBuffW(r.data(), static_cast<DWORD>(r.size()));
    return l.compare(r);
}

std::string FillIn(std::string_view pattern, std::string_view first, std::string_view second)
{
    return FillIn(pattern, {first, second});
}

std::string FillIn(std::string_view pattern, std::initializer_list<std::string_view> values)
{
    std::string text;
    for (size_t i = 0; i < pattern.size(); ++i) {
        const size_t number = i + 1 < pattern.size() ? static_cast<size_t>(pattern[i + 1] - '1') : values.size();
        if (pattern[i] == '%' && number < values.size() && pattern[i + 1] >= '1') {
            text += values.begin()[number];
            ++i;
        } else {
            text += pattern[i];
        }
    }
    return text;
}

std::string HexCode(unsigned long code)
{
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text = "0x";
    for (int shift = 28; shift >= 0; shift -= 4)
        text += kDigits[(code >> shift) & 0xF];
    return text;
}
