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
    // ASCII runs compare here, folded to upper case as the ordinal comparison below does;
    // from the first non-ASCII byte on the rest goes to Windows' case-insensitive ordinal
    // comparison of the UTF-16 texts.
    size_t at = 0;
    for (;; ++at) {
        const unsigned char l = static_cast<unsigned char>(left[at]);
        const unsigned char r = static_cast<unsigned char>(right[at]);
        if (l >= 0x80 || r >= 0x80)
            break;
        const int lu = (l >= 'a' && l <= 'z') ? l - 32 : l;
        const int ru = (r >= 'a' && r <= 'z') ? r - 32 : r;
        if (lu != ru)
            return lu - ru;
        if (l == 0)
            return 0;
    }
    const std::wstring l = ToWide(left + at);
    const std::wstring r = ToWide(right + at);
    const int order = CompareStringOrdinal(l.c_str(), static_cast<int>(l.size()), r.c_str(),
                                           static_cast<int>(r.size()), TRUE);
    return order == CSTR_LESS_THAN ? -1 : order == CSTR_GREATER_THAN ? 1 : 0;
}

std::string FillIn(std::string_view pattern, std::string_view first, std::string_view second)
{
    std::string text;
    for (size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '%' && i + 1 < pattern.size() && (pattern[i + 1] == '1' || pattern[i + 1] == '2')) {
            text += pattern[i + 1] == '1' ? first : second;
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
