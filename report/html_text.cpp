#include "report/html_text.h"

#include "base/narrow.h"

#include <cstdint>
#include <cstdio>

namespace {

// The length of the UTF-8 sequence that starts at `text[at]` and its code point; 0 when
// the bytes there are not a valid sequence.
size_t ReadCodePoint(std::string_view text, size_t at, uint32_t& point)
{
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char first = byte(at);
    if (first < 0x80) {
        point = first;
        return 1;
    }
    size_t length = first >= 0xF0 ? 4 : first >= 0xE0 ? 3 : first >= 0xC2 ? 2 : 0;
    if (length == 0 || first > 0xF4 || at + length > text.size())
        return 0;
    point = first & (0xFF >> (length + 1));
    for (size_t i = 1; i < length; ++i) {
        if ((byte(at + i) & 0xC0) != 0x80)
            return 0;
        point = (point << 6) | (byte(at + i) & 0x3F);
    }
    const uint32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
    if (point < least[length] || point > 0x10FFFF || (point >= 0xD800 && point <= 0xDFFF))
        return 0;
    return length;
}

constexpr uint32_t kReplacement = 0xFFFD;

// East Asian wide and full-width characters take two columns.
bool IsWide(uint32_t point)
{
    return (point >= 0x1100 && point <= 0x115F) || (point >= 0x2E80 && point <= 0xA4CF) ||
           (point >= 0xAC00 && point <= 0xD7A3) || (point >= 0xF900 && point <= 0xFAFF) ||
           (point >= 0xFE30 && point <= 0xFE4F) || (point >= 0xFF00 && point <= 0xFF60) ||
           (point >= 0xFFE0 && point <= 0xFFE6) || point >= 0x20000;
}

}  // namespace

std::string HtmlEscape(std::string_view text)
{
    std::string out;
    out.reserve(text.size() + text.size() / 8);
    for (size_t at = 0; at < text.size();) {
        uint32_t point = 0;
        const size_t length = ReadCodePoint(text, at, point);
        if (length == 0) {
            AppendUtf8(out, kReplacement);
            ++at;
            continue;
        }
        at += length;
        switch (point) {
        case '&': out += "&amp;"; continue;
        case '<': out += "&lt;"; continue;
        case '>': out += "&gt;"; continue;
        case '"': out += "&quot;"; continue;
        case '\'': out += "&#39;"; continue;
        case '\t': case '\n': case '\r': out += static_cast<char>(point); continue;
        default: break;
        }
        if (point < 0x20)
            point += 0x2400;
        else if (point == 0x7F)
            point = 0x2421;
        AppendUtf8(out, point);
    }
    return out;
}

std::string CssString(std::string_view text)
{
    std::string out = "\"";
    for (size_t at = 0; at < text.size();) {
        uint32_t point = 0;
        size_t length = ReadCodePoint(text, at, point);
        if (length == 0) {
            point = kReplacement;
            length = 1;
        }
        at += length;
        const bool plain = (point >= 'a' && point <= 'z') || (point >= 'A' && point <= 'Z') ||
                           (point >= '0' && point <= '9') || point == ' ' || point >= 0xA0;
        if (plain) {
            AppendUtf8(out, point);
        } else {
            char escape[16];
            const int written = std::snprintf(escape, sizeof escape, "\\%X ", point < 0x20 || point == 0x7F ? 0xFFFDu
                                                                                                               : point);
            out.append(escape, static_cast<size_t>(written));
        }
    }
    return out + "\"";
}

namespace {

int ColumnsOf(std::string_view text, size_t at, size_t& length)
{
    uint32_t point = 0;
    length = ReadCodePoint(text, at, point);
    if (length == 0) {
        length = 1;
        return 1;
    }
    return IsWide(point) ? 2 : 1;
}

}  // namespace

std::string CutToWidth(std::string_view text, int width)
{
    int total = 0;
    size_t length = 0;
    for (size_t at = 0; at < text.size(); at += length)
        total += ColumnsOf(text, at, length);
    if (total <= width)
        return std::string(text);
    int used = 0;
    size_t at = 0;
    for (; at < text.size(); at += length) {
        const int columns = ColumnsOf(text, at, length);
        if (used + columns > width - 1)
            break;
        used += columns;
    }
    return std::string(text.substr(0, at)) + "\xE2\x80\xA6";
}
