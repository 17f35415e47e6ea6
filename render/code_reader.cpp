#include "render/code_reader.h"

#include <climits>
#include <cstdint>

namespace {

bool IsCSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

}  // namespace

int ReadCode(std::string_view text)
{
    size_t position = 0;
    while (position < text.size() && IsCSpace(text[position]))
        ++position;
    bool negative = false;
    if (position < text.size() && (text[position] == '+' || text[position] == '-')) {
        negative = text[position] == '-';
        ++position;
    }
    // Accumulate the magnitude in 64 bits and stop growing it once it is past the
    // unsigned 32-bit range: the rest of the digits can only saturate further.
    constexpr long long kLimit = static_cast<long long>(INT_MAX) + 1;
    long long magnitude = 0;
    for (; position < text.size() && text[position] >= '0' && text[position] <= '9'; ++position) {
        if (magnitude <= UINT32_MAX)
            magnitude = magnitude * 10 + (text[position] - '0');
    }
    if (negative)
        return magnitude >= kLimit ? INT_MIN : static_cast<int>(-magnitude);
    if (magnitude <= INT_MAX)
        return static_cast<int>(magnitude);
    return magnitude <= UINT32_MAX ? static_cast<int>(static_cast<uint32_t>(magnitude)) : INT_MAX;
}
