#include "listtools/sort_keys.h"

#include "base/text_util.h"

#include <charconv>
#include <climits>
#include <cmath>

namespace {

bool IsNumberCharacter(char c)
{
    return (c >= '0' && c <= '9') || c == '.' || c == ',';
}

bool HasNonZeroIntegerPart(const std::string& digits)
{
    for (char c : digits) {
        if (c == '.')
            return false;
        if (c != '0')
            return true;
    }
    return false;
}

// Digits and points of `text` (commas removed) read as a decimal number; 0 when no
// number starts the text.
double ReadDecimal(const std::string& text)
{
    std::string digits;
    digits.reserve(text.size());
    for (char c : text)
        if (c != ',')
            digits += c;
    double value = 0;
    std::errc error = std::from_chars(digits.data(), digits.data() + digits.size(), value,
                                      std::chars_format::fixed).ec;
    if (error == std::errc::result_out_of_range)
        return HasNonZeroIntegerPart(digits) ? HUGE_VAL : 0;
    return error == std::errc() ? value : 0;
}

bool IsSpace(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

}  // namespace

NumericSortKey ReadNumericSortKey(const std::string& text)
{
    std::string rest = TrimWhiteSpace(text);
    double sign = 1;
    if (!rest.empty() && rest.front() == '-') {
        rest.erase(0, 1);
        sign = -1;
    }
    for (char c : rest)
        if (!IsNumberCharacter(c))
            return {};
    return {true, sign * ReadDecimal(rest)};
}

int CompareNumericKeys(const NumericSortKey& first, const NumericSortKey& second)
{
    if (first.numeric && second.numeric) {
        if (first.value > second.value)
            return 1;
        return first.value < second.value ? -1 : 0;
    }
    if (first.numeric != second.numeric)
        return first.numeric ? -1 : 1;
    return 0;
}

TextSortKey ReadTextSortKey(const std::string& text)
{
    TextSortKey key{text, {}, true};
    for (char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80 || c == '\0') {
            key.ascii = false;
            key.lower.clear();
            return key;
        }
        key.lower += c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    }
    return key;
}

int CompareTextKeys(const TextSortKey& first, const TextSortKey& second)
{
    if (first.ascii && second.ascii)
        return first.lower.compare(second.lower);
    return CompareNoCase(first.text, second.text);
}

uint32_t ReadObjectNumberKey(const std::string& text)
{
    size_t at = 0;
    while (at < text.size() && IsSpace(text[at]))
        ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == '-' || text[at] == '+'))
        negative = text[at++] == '-';
    long long value = 0;
    for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at) {
        value = value * 10 + (text[at] - '0');
        if (value > INT_MAX + 1LL)
            value = INT_MAX + 1LL;   // saturates below, like atoi
    }
    if (negative)
        value = -value;
    if (value > INT_MAX)
        value = INT_MAX;
    return static_cast<uint32_t>(static_cast<int32_t>(value));
}
