// Routing by property name, trimming and digit grouping of DecodePropertyValue.
#include "tests/render/decode_test_support.h"

#include "base/class_ids.h"

using DispatchTest = EnglishDecoding;

TEST_F(DispatchTest, NamesRouteWithoutRegardToCase)
{
    const std::string running = "3 : Running or Full Power";
    EXPECT_EQ(DecodeI4(L"Availability", "3"), running);
    EXPECT_EQ(DecodeI4(L"availability", "3"), running);
    EXPECT_EQ(DecodeI4(L"AVAILABILITY", "3"), running);
    EXPECT_EQ(DecodeI4(L"aVaIlAbIlItY", "3"), running);
}

TEST_F(DispatchTest, NameMustMatchWhole)
{
    EXPECT_EQ(DecodeI4(L"Availabilit", "3"), "3");
    EXPECT_EQ(DecodeI4(L"Availability2", "3"), "3");
    EXPECT_EQ(DecodeI4(L" Availability", "3"), "3");
    EXPECT_EQ(DecodeI4(L"Availability\u00e9", "3"), "3");
    EXPECT_EQ(DecodeI4(L"\u30a2Availability", "3"), "3");
}

TEST_F(DispatchTest, TrimsEveryKindOfWhiteSpaceFromBothEnds)
{
    EXPECT_EQ(Decode(L"Caption", VT_BSTR, "  abc "), "abc");
    EXPECT_EQ(Decode(L"Caption", VT_BSTR, "\t\r\n\v\f abc def \f\v\n\r\t"), "abc def");
    EXPECT_EQ(Decode(L"Caption", VT_BSTR, "    "), "");
    EXPECT_EQ(Decode(L"Caption", VT_BSTR, ""), "");
    EXPECT_EQ(DecodeI4(L"Availability", " 3\t"), "3 : Running or Full Power");
}

TEST_F(DispatchTest, CodeTablesNeedAnIntegerType)
{
    EXPECT_EQ(Decode(L"Availability", VT_BSTR, "3"), "3");
    EXPECT_EQ(Decode(L"Availability", VT_R8, "3.000000"), "3.000000");
    EXPECT_EQ(Decode(L"Availability", VT_BOOL, "True"), "True");
    for (VARTYPE type : {VT_I2, VT_I4, VT_I1, VT_UI1, VT_UI2, VT_UI4, VT_I8, VT_UI8, VT_INT, VT_UINT})
        EXPECT_EQ(Decode(L"Availability", type, "3"), "3 : Running or Full Power") << type;
}

TEST_F(DispatchTest, RoutedNamesAreNeverGrouped)
{
    EXPECT_EQ(DecodeI4(L"Availability", "99"), "99");
    EXPECT_EQ(DecodeI4(L"Availability", "123456"), "123456");
    EXPECT_EQ(Decode(L"Availability", VT_BSTR, "123456"), "123456");
    EXPECT_EQ(DecodeI4(L"ServiceType", "1048576"), "1048576");
}

TEST_F(DispatchTest, UnroutedIntegersAreGrouped)
{
    EXPECT_EQ(DecodeI4(L"Caption", "-1234567"), "-1,234,567");
    EXPECT_EQ(DecodeI4(L"Caption", "1234"), "1,234");
    EXPECT_EQ(Decode(L"Caption", VT_UI8, " 18446744073709551615 "), "18,446,744,073,709,551,615");
    EXPECT_EQ(Decode(L"Caption", VT_R8, "1234.500000"), "1234.500000");
    EXPECT_EQ(Decode(L"Caption", VT_BSTR, "12345"), "12345");
}

TEST_F(DispatchTest, NumericNamesAreGroupedWhateverTheirType)
{
    EXPECT_EQ(Decode(L"Size", VT_BSTR, "12345"), "12,345");
    EXPECT_EQ(Decode(L"Capacity", VT_BSTR, "1073741824"), "1,073,741,824");
    EXPECT_EQ(Decode(L"capacity", VT_BSTR, "1073741824"), "1,073,741,824");
    EXPECT_EQ(Decode(L"FreeSpace", VT_R8, "1234.500000"), "1,234.500000");
    EXPECT_EQ(Decode(L"Size", VT_BSTR, "12 MB"), "12 MB");
    EXPECT_EQ(Decode(L"Size", VT_BSTR, "  "), "");
}

TEST_F(DispatchTest, NamesThatCannotBeReadMatchNothing)
{
    EXPECT_EQ(Decode(nullptr, VT_I4, "3"), "3");
    EXPECT_EQ(Decode(nullptr, VT_I4, "12345"), "12,345");
    EXPECT_EQ(Decode(L"", VT_BSTR, "12345"), "12345");
    std::wstring longName(300, L'A');
    EXPECT_EQ(Decode(longName.c_str(), VT_BSTR, "12345"), "12345");
}

TEST_F(DispatchTest, NameEndsAtItsFirstZeroCharacter)
{
    const wchar_t name[] = L"Size\0Availability";
    EXPECT_EQ(Decode(name, VT_BSTR, "12345"), "12,345");
}

TEST(NumericPropertyNames, ListedNamesWithoutRegardToCase)
{
    EXPECT_TRUE(IsNumericPropertyName("Size"));
    EXPECT_TRUE(IsNumericPropertyName("SIZE"));
    EXPECT_TRUE(IsNumericPropertyName("avgdiskbytespertransfer_base"));
    EXPECT_TRUE(IsNumericPropertyName("WriteTransferCount"));
    EXPECT_TRUE(IsNumericPropertyName("AnnouncementsDomainPerSec"));
    EXPECT_FALSE(IsNumericPropertyName("Sizes"));
    EXPECT_FALSE(IsNumericPropertyName(""));
    EXPECT_FALSE(IsNumericPropertyName("Availability"));
    EXPECT_FALSE(IsNumericPropertyName("S\xe9ze"));
    EXPECT_TRUE(IsNumericPropertyName(std::string_view("Size\0x", 6)));
}

TEST(IntegerVarType, ExactlyTheTenIntegerTypes)
{
    int count = 0;
    for (int type = 0; type < 0x10000; ++type)
        count += IsIntegerVarType(static_cast<VARTYPE>(type)) ? 1 : 0;
    EXPECT_EQ(count, 10);
    for (VARTYPE type : {VT_I2, VT_I4, VT_I1, VT_UI1, VT_UI2, VT_UI4, VT_I8, VT_UI8, VT_INT, VT_UINT})
        EXPECT_TRUE(IsIntegerVarType(type)) << type;
    for (int type : std::initializer_list<int>{VT_EMPTY, VT_NULL, VT_BOOL, VT_BSTR, VT_R4, VT_R8, VT_DATE, VT_CY,
                     VT_ARRAY | VT_I4, VT_BYREF | VT_I4})
        EXPECT_FALSE(IsIntegerVarType(static_cast<VARTYPE>(type))) << type;
}
