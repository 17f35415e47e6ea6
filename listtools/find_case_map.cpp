#include "listtools/find_case_map.h"

#include <windows.h>

namespace {

// Upper case of one character given as `length` bytes of the ANSI code page; false
// when the system knows none or the code page cannot hold it in as many bytes.
bool UpperCharacter(const char* bytes, int length, char* upper)
{
    wchar_t wide[2];
    if (MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, bytes, length, wide, 2) != 1)
        return false;
    CharUpperBuffW(wide, 1);
    BOOL usedDefault = FALSE;
    char narrow[4];
    int written = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide, 1, narrow,
                                      sizeof(narrow), nullptr, &usedDefault);
    if (written != length || usedDefault)
        return false;
    for (int i = 0; i < length; ++i)
        upper[i] = narrow[i];
    return true;
}

}  // namespace

FindCaseMap::FindCaseMap()
{
    for (int c = 0; c < 256; ++c) {
        lead_[c] = IsDBCSLeadByte(static_cast<BYTE>(c)) != FALSE;
        char byte = static_cast<char>(c);
        char upper = byte;
        if (c != 0 && !lead_[c])
            UpperCharacter(&byte, 1, &upper);
        single_[c] = static_cast<unsigned char>(upper);
    }
}

uint16_t FindCaseMap::UpperDoubleByte(uint16_t character) const
{
    if (double_.empty())
        double_.resize(65536);
    uint16_t& mapped = double_[character];
    if (mapped == 0) {
        char bytes[2] = {static_cast<char>(character >> 8), static_cast<char>(character & 0xFF)};
        char upper[2] = {bytes[0], bytes[1]};
        UpperCharacter(bytes, 2, upper);
        mapped = static_cast<uint16_t>((static_cast<unsigned char>(upper[0]) << 8) |
                                       static_cast<unsigned char>(upper[1]));
    }
    return mapped;
}

void FindCaseMap::UpperInto(const std::string& text, std::string& out) const
{
    out.resize(text.size());
    for (size_t at = 0; at < text.size(); ++at) {
        unsigned char c = static_cast<unsigned char>(text[at]);
        if (lead_[c] && at + 1 < text.size() && text[at + 1] != '\0') {
            uint16_t upper = UpperDoubleByte(static_cast<uint16_t>(
                (c << 8) | static_cast<unsigned char>(text[at + 1])));
            out[at] = static_cast<char>(upper >> 8);
            out[++at] = static_cast<char>(upper & 0xFF);
        } else {
            out[at] = static_cast<char>(single_[c]);
        }
    }
}

std::string FindCaseMap::Upper(const std::string& text) const
{
    std::string upper;
    UpperInto(text, upper);
    return upper;
}

size_t FindCharacters(const std::string& text, const std::string& part, const FindCaseMap& map)
{
    size_t boundary = 0;   // a character boundary at or before the candidate
    for (size_t from = 0;;) {
        size_t candidate = text.find(part, from);
        if (candidate == std::string::npos)
            return candidate;
        while (boundary < candidate) {
            bool pair = map.IsLeadByte(static_cast<unsigned char>(text[boundary])) &&
                        boundary + 1 < text.size() && text[boundary + 1] != '\0';
            boundary += pair ? 2 : 1;
        }
        if (boundary == candidate)
            return candidate;
        from = boundary;   // the candidate began on a trail byte
    }
}
