// Reading coded property values out of their rendered text.
#pragma once
#include <string_view>

// The text read as a 32-bit decimal number the way strtol reads it in base 10: leading
// white space skipped, an optional sign, digits up to the first other character. No
// digits read as 0 ("0x10" is 0, "12 MB" is 12). A number from 2147483648 to 4294967295
// (an unsigned 32-bit code) gives the int of the same 32 bits, as its signed form does:
// "2147483651" reads as 0x80000003 like "-2147483645". Numbers beyond the 32-bit ranges
// saturate at 2147483647 or -2147483648.
int ReadCode(std::string_view text);
