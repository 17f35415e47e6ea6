// Reading coded property values out of their rendered text.
#pragma once
#include <string_view>

// The text read as a signed 32-bit decimal number the way strtol reads it in base 10:
// leading white space skipped, an optional sign, digits up to the first other
// character. No digits read as 0 ("0x10" is 0, "12 MB" is 12); numbers beyond the
// 32-bit range saturate at 2147483647 or -2147483648.
int ReadCode(std::string_view text);
