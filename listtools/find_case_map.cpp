#include "listtools/find_case_map.h"

#include <windows.h>

#include "base/narrow.h"

std::string FindCaseMap::Upper(const std::string& text) const
{
    std::string out;
    UpperInto(text, out);
    return out;
}

void FindCaseMap::UpperInto(const std::string& text, std::string& out) const
{
    out.assign(text);
    bool ascii = true;
    for (char& c : out) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            ascii = false;
            break;
        }
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    if (ascii)
        return;
    wide_ = ToWide(text);
    if (!wide_.empty())
        CharUpperBuffW(wide_.data(), static_cast<DWORD>(wide_.size()));
    out = ToNarrow(wide_);
}
