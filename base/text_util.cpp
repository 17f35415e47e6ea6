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
