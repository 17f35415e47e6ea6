#include "base/console_text.h"

#include <cwchar>

std::wstring ShownOnConsole(std::wstring_view text, bool keepLineEnds)
{
    std::wstring shown;
    shown.reserve(text.size());
    for (wchar_t character : text) {
        const bool lineEnd = character == L'\r' || character == L'\n';
        if (character == L'\t' || (lineEnd && keepLineEnds) || (character >= 0x20 && character < 0x7F) ||
            character > 0x9F) {
            shown += character;
            continue;
        }
        switch (character) {
        case 0x00: shown += L"\\0"; break;
        case 0x07: shown += L"\\a"; break;
        case 0x08: shown += L"\\b"; break;
        case 0x0A: shown += L"\\n"; break;
        case 0x0B: shown += L"\\v"; break;
        case 0x0C: shown += L"\\f"; break;
        case 0x0D: shown += L"\\r"; break;
        case 0x1B: shown += L"\\e"; break;
        default: {
            wchar_t code[8];
            swprintf(code, 8, character < 0x80 ? L"\\x%02X" : L"\\u%04X", static_cast<unsigned>(character));
            shown += code;
            break;
        }
        }
    }
    return shown;
}
