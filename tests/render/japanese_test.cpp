// Decoding under the Japanese user interface: the texts are the Japanese entries, in
// UTF-8 like every text of the program. These tests run in the Japanese pass of the test
// program (and fail there without the Japanese locale) and are skipped elsewhere.
#include "tests/render/decode_test_support.h"

#include "render/decoded_text.h"
#include "tests/support/japanese_run.h"

namespace {

std::string Japanese(UINT id)
{
    return ToNarrow(LoadTextInLanguage(id, kJapaneseLanguage));
}

bool HasDoubleByteText(const std::string& text)
{
    for (char c : text)
        if (static_cast<unsigned char>(c) >= 0x80)
            return true;
    return false;
}

}  // namespace

class JapaneseDecoding : public testing::Test {
protected:
    void SetUp() override
    {
        REQUIRE_JAPANESE_LOCALE();
        SetTextLanguage(0);  // the system's choice
    }
};

TEST_F(JapaneseDecoding, SystemChoosesJapaneseTexts)
{
    EXPECT_EQ(TextLanguage(), kJapaneseLanguage);
    EXPECT_EQ(DecodedText(10003), Japanese(10003));
    EXPECT_TRUE(HasDoubleByteText(DecodedText(10003)));
    EXPECT_EQ(DecodedText(10003), LoadText(10003));
}

TEST_F(JapaneseDecoding, CodesFlagsWordsAndUnits)
{
    EXPECT_EQ(DecodePropertyValue(0, VT_I4, L"Availability", "3"), Japanese(10003));
    EXPECT_EQ(DecodePropertyValue(0, VT_I4, L"availability", " 3 "), Japanese(10003));
    EXPECT_EQ(DecodePropertyValue(0, VT_I4, L"DaysOfMonth", "5"),
              "5 : " + Japanese(15601) + "|" + Japanese(15603));
    EXPECT_EQ(DecodePropertyValue(0, VT_BSTR, L"StartMode", "Auto"), Japanese(10524));
    EXPECT_EQ(DecodePropertyValue(0, VT_I4, L"OverwriteOutDated", "7"), std::string("7").append(Japanese(5001)));
    EXPECT_EQ(DecodePropertyValue(0, VT_I4, L"OSLanguage", "1041"), Japanese(12920));
}

TEST_F(JapaneseDecoding, JapaneseValuesPassThroughUnchanged)
{
    // Bytes of multi-byte characters must not be taken for white space or digits.
    const std::string text = "テスト ® ™ 𝄞";
    EXPECT_EQ(DecodePropertyValue(0, VT_BSTR, L"Caption", " " + text + " "), text);
    EXPECT_EQ(DecodePropertyValue(0, VT_BSTR, L"StartMode", text), text);
    EXPECT_EQ(DecodePropertyValue(0, VT_BSTR, L"Size", text), text);
    EXPECT_EQ(DecodePropertyValue(0, VT_I4, L"\u30b5\u30a4\u30ba", "1234"), "1,234");
}
