// Upper-casing narrow text (ANSI code page) for Find, aware of double-byte characters:
// single-byte letters map through the code page's case map, double-byte characters
// through the system's upper-case mapping (so full-width letters match regardless of
// case as well). Characters whose upper case the code page cannot hold stay as they are.
//
// One map serves one search: it reads the single-byte table once and remembers each
// double-byte character it has mapped.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

class FindCaseMap {
public:
    FindCaseMap();

    std::string Upper(const std::string& text) const;
    // The same into `out`, reusing its storage.
    void UpperInto(const std::string& text, std::string& out) const;

    // True when `c` starts a double-byte character in the ANSI code page.
    bool IsLeadByte(unsigned char c) const { return lead_[c]; }

private:
    uint16_t UpperDoubleByte(uint16_t character) const;

    bool lead_[256] = {};
    unsigned char single_[256] = {};
    mutable std::vector<uint16_t> double_;   // 0: not mapped yet
};

// Byte offset of the first occurrence of `part` in `text` that starts on a character
// boundary (never on the second byte of a double-byte character); npos when none. An
// empty `part` is found at 0.
size_t FindCharacters(const std::string& text, const std::string& part, const FindCaseMap& map);
