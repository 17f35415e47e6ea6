#include "base/narrow.h"

#include <algorithm>

namespace {

constexpr char32_t kReplacement = 0xFFFD;


// Our own encoder, so that lone surrogates and NULs are replaced the same way on every
// version of Windows (older ones silently dropped lone surrogates).
std::string WideToUtf8(std::wstring_view text)
{
    std::string out;
    out.reserve(text.size() + text.size() / 2);
    for (size_t at = 0; at < text.size(); ++at) {
        const wchar_t c = text[at];
        if (c == L'\0') {
            AppendUtf8(out, kReplacement);
        } else if (IS_HIGH_SURROGATE(c) && at + 1 < text.size() && IS_LOW_SURROGATE(text[at + 1])) {
            AppendUtf8(out, 0x10000 + ((static_cast<char32_t>(c) - 0xD800) << 10) + (text[at + 1] - 0xDC00));
            ++at;
        } else if (IS_HIGH_SURROGATE(c) || IS_LOW_SURROGATE(c)) {
            AppendUtf8(out, kReplacement);
        } else {
            AppendUtf8(out, static_cast<char32_t>(c));
        }
    }
    return out;
}

}  // namespace

void AppendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

std::string ToNarrow(std::wstring_view text, UINT codePage)
{
    if (text.empty())
        return {};
    if (codePage == CP_UTF8)
        return WideToUtf8(text);
    int length = WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()),
                                     nullptr, 0, nullptr, nullptr);
    if (length <= 0)
        return {};
    std::string result(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), result.data(),
                        length, nullptr, nullptr);
    return result;
}

std::wstring ToWide(std::string_view text, UINT codePage)
{
    if (text.empty())
        return {};
    int length = MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()),
                                     nullptr, 0);
    if (length <= 0)
        return {};
    std::wstring result(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), result.data(),
                        length);
    return result;
}

std::wstring ToWideFromUtf8OrAnsi(std::string_view bytes)
{
    const bool utf8 = bytes.empty() || MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes.data(),
                                                           static_cast<int>(bytes.size()), nullptr, 0) > 0;
    return ToWide(bytes, utf8 ? CP_UTF8 : CP_ACP);
}

AnsiText ToAnsi(std::string_view utf8, UINT codePage)
{
    AnsiText result;
    // ASCII is the same in every ANSI code page: most texts need no conversion.
    if (std::all_of(utf8.begin(), utf8.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
        result.bytes.assign(utf8);
        return result;
    }
    const std::wstring wide = ToWide(utf8);
    const int size = static_cast<int>(wide.size());
    // No best-fit mapping: "é" must not quietly become "e" in a file meant to keep it.
    const DWORD flags = (codePage == CP_UTF7 || codePage == CP_UTF8) ? 0 : WC_NO_BEST_FIT_CHARS;
    BOOL usedDefault = FALSE;
    BOOL* usedDefaultOut = flags ? &usedDefault : nullptr;
    int length = WideCharToMultiByte(codePage, flags, wide.data(), size, nullptr, 0, nullptr, usedDefaultOut);
    if (length > 0) {
        result.bytes.resize(static_cast<size_t>(length));
        WideCharToMultiByte(codePage, flags, wide.data(), size, result.bytes.data(), length, nullptr, nullptr);
    }
    result.lossy = usedDefault != FALSE;
    return result;
}

bool FitsCodePage(std::string_view utf8, UINT codePage)
{
    return !ToAnsi(utf8, codePage).lossy;
}

size_t CopyTextToBuffer(std::wstring_view text, wchar_t* buffer, size_t size)
{
    if (!buffer || size == 0)
        return 0;
    size_t copied = text.size() < size - 1 ? text.size() : size - 1;
    if (copied > 0 && copied < text.size() && IS_HIGH_SURROGATE(text[copied - 1]))
        --copied;
    text.copy(buffer, copied);
    buffer[copied] = L'\0';
    return copied;
}
