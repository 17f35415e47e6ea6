#include "render/decode.h"

#include <windows.h>

#include "render/route_index.h"
#include "base/narrow.h"
#include "base/text_util.h"

namespace {

constexpr size_t kNameBufferSize = 64;

// The property name as UTF-8, up to its first zero character. ASCII names, the only ones
// that can match, are copied into `buffer`; others are converted into `converted`.
std::string_view NarrowPropertyName(const wchar_t* name, char (&buffer)[kNameBufferSize],
                                    std::string& converted)
{
    if (!name)
        return {};
    size_t length = 0;
    for (; name[length] != L'\0'; ++length) {
        if (length == kNameBufferSize || name[length] >= 0x80)
            break;
        buffer[length] = static_cast<char>(name[length]);
    }
    if (name[length] == L'\0')
        return std::string_view(buffer, length);
    converted = ToNarrow(name);
    return converted;
}

}  // namespace

std::string DecodePropertyValue(int classId, VARTYPE type, const wchar_t* propertyName,
                                std::string text, std::string_view host)
{
    TrimWhiteSpaceInPlace(text);
    char buffer[kNameBufferSize];
    std::string converted;
    const PropertyEntry* entry = FindPropertyEntry(NarrowPropertyName(propertyName, buffer, converted));
    if (entry && entry->decoder) {
        // A property with a decoder keeps its trimmed text when the decoder fails and is
        // never grouped.
        std::string decoded;
        if (entry->decoder->Run(classId, type, text, host, decoded))
            return decoded;
        return text;
    }
    if ((entry && entry->numeric) || IsIntegerVarType(type)) {
        std::string grouped = GroupDigits(text);
        if (!grouped.empty())
            return grouped;
    }
    return text;
}

bool IsNumericPropertyName(std::string_view name)
{
    // Compared as a C string: the name ends at a zero character.
    const PropertyEntry* entry = FindPropertyEntry(name.substr(0, name.find('\0')));
    return entry && entry->numeric;
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
