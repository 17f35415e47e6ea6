// Codes are read as strtol reads them, base 10, on 32-bit longs, but for unsigned 32-bit
// numbers, which keep their bits.
#include <gtest/gtest.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <string>

#include "render/code_reader.h"

TEST(CodeReader, ReadsLikeStrtol)
{
    static_assert(sizeof(long) == 4, "Windows longs are 32 bits");
    const char* texts[] = {
        "0", "3", "-1", "+7", "007", "12 MB", "3 abc", "0x10", "abc", "", " ", "-", "+", "- 5",
        " \t\n\v\f\r42", "42 ", "2147483647", "-2147483648", "-2147483649",
        "4294967296", "18446744073709551615", "99999999999999999999999999",
        "-99999999999999999999999999", "1.5", "-0", "1e3", "\xef\xbc\x91", "--1", "+-1",
        "00000000000000000000000000000001",
    };
    for (const char* text : texts) {
        errno = 0;
        long expected = std::strtol(text, nullptr, 10);
        EXPECT_EQ(ReadCode(text), expected) << '"' << text << '"';
    }
}

TEST(CodeReader, UnsignedThirtyTwoBitCodesKeepTheirBits)
{
    EXPECT_EQ(ReadCode("2147483651"), ReadCode("-2147483645"));   // 0x80000003
    EXPECT_EQ(ReadCode("2147483648"), INT_MIN);
    EXPECT_EQ(ReadCode("4294967295"), -1);
}

TEST(CodeReader, SaturatesAtTheThirtyTwoBitLimits)
{
    EXPECT_EQ(ReadCode("4294967296"), INT_MAX);
    EXPECT_EQ(ReadCode("42949672950"), INT_MAX);
    EXPECT_EQ(ReadCode("-2147483649"), INT_MIN);
    EXPECT_EQ(ReadCode("-2147483648"), INT_MIN);
    EXPECT_EQ(ReadCode(std::string(1000, '9')), INT_MAX);
}

TEST(CodeReader, StopsAtTheEndOfTheView)
{
    std::string_view text("12345", 2);
    EXPECT_EQ(ReadCode(text), 12);
}
