// The values the result lists sort by, read once from a cell's text.
#pragma once
#include <cstdint>
#include <string>

// A cell of a numeric sort column: numeric when, after trimming white space and one
// leading "-", only "0123456789.," remain (nothing left counts as 0). The value drops
// the commas and reads a decimal number up to the first character that does not fit
// ("1.2.3" reads 1.2).
struct NumericSortKey {
    bool numeric = false;
    double value = 0;
};
NumericSortKey ReadNumericSortKey(const std::string& text);

// Compares two keys of numeric cells: numbers by value, numbers before texts; 0 when
// neither is a number (the caller then compares the texts).
int CompareNumericKeys(const NumericSortKey& first, const NumericSortKey& second);

// A cell of a text column. Texts of ASCII characters alone are compared through their
// lower-case form, which orders exactly as CompareNoCase does (and much faster); any
// other pair goes to CompareNoCase.
struct TextSortKey {
    std::string text;
    std::string lower;   // the ASCII lower case; only when `ascii`
    bool ascii = false;
};
TextSortKey ReadTextSortKey(const std::string& text);
int CompareTextKeys(const TextSortKey& first, const TextSortKey& second);

// The object number of an individual list row: leading decimal digits with an optional
// sign after leading white space, no digits giving 0, read as a signed 32-bit number
// (saturating) and taken as unsigned, so negative numbers come after all positive ones.
uint32_t ReadObjectNumberKey(const std::string& text);
