#include "render/decode.h"

#include "render/text_util.h"

// Until the decoders exist every value keeps its trimmed text; integer types and the
// numeric property names are grouped.
std::string DecodePropertyValue(int, VARTYPE type, const wchar_t*, std::string text)
{
    std::string trimmed = TrimWhiteSpace(text);
    if (IsIntegerVarType(type)) {
        std::string grouped = GroupDigits(trimmed);
        if (!grouped.empty())
            return grouped;
    }
    return trimmed;
}

bool IsNumericPropertyName(std::string_view)
{
    return false;
}

bool IsIntegerVarType(VARTYPE type)
{
    switch (type) {
    case VT_I2: case VT_I4: case VT_I1: case VT_UI1: case VT_UI2: case VT_UI4:
    case VT_I8: case VT_UI8: case VT_INT: case VT_UINT:
        return true;
    default:
        return false;
    }
}

std::string GroupDigits(std::string_view text)
{
    std::string trimmed = TrimWhiteSpace(text);
    std::string_view body = trimmed;
    std::string sign;
    if (!body.empty() && body.front() == '-') {
        sign = "-";
        body.remove_prefix(1);
    }
    if (body.find_first_not_of("0123456789.") != std::string_view::npos)
        return trimmed;
    size_t dot = body.find('.');
    std::string_view integer = body.substr(0, dot);
    std::string_view fraction = dot == std::string_view::npos ? std::string_view() : body.substr(dot);
    std::string grouped;
    grouped.reserve(integer.size() + integer.size() / 3);
    for (size_t index = 0; index < integer.size(); ++index) {
        if (index > 0 && (integer.size() - index) % 3 == 0)
            grouped += ',';
        grouped += integer[index];
    }
    return sign + grouped + std::string(fraction);
}
