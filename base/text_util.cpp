#include "base/text_util.h"

#include <mbstring.h>

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
    return _mbsicmp(reinterpret_cast<const unsigned char*>(left),
                    reinterpret_cast<const unsigned char*>(right));
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
