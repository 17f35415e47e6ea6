#include <gtest/gtest.h>

#include <cmath>

#include "base/class_ids.h"
#include "render/value_render.h"
#include "resources/text.h"
#include "tests/support/fake_wmi.h"

namespace {

// An unrouted name: values keep their formatted text (integers get grouped).
constexpr wchar_t kPlain[] = L"SomeValue";

std::string Render(const VARIANT& value, int* result = nullptr, const wchar_t* name = kPlain)
{
    std::string text = "previous";
    int code = RenderPropertyValue(value, text, 1000, name);
    if (result)
        *result = code;
    return text;
}

template <class Setter>
FakeValue Make(VARTYPE type, Setter set)
{
    FakeValue value;
    value.Get().vt = type;
    set(value.Get());
    return value;
}

// An array of `count` null object references.
FakeValue ObjectArray(ULONG count)
{
    FakeValue value;
    value.Get().vt = VT_ARRAY | VT_UNKNOWN;
    value.Get().parray = SafeArrayCreateVector(VT_UNKNOWN, 0, count);
    return value;
}

class ValueRenderTest : public testing::Test {
protected:
    void SetUp() override { SetTextLanguage(kEnglishLanguage); }
    void TearDown() override { SetTextLanguage(0); }
};

}  // namespace

TEST_F(ValueRenderTest, ScalarsFollowTheirTypeFormats)
{
    EXPECT_EQ(Render(Make(VT_I2, [](VARIANT& v) { v.iVal = -12; }).Get()), "-12");
    EXPECT_EQ(Render(Make(VT_I4, [](VARIANT& v) { v.lVal = -1234567; }).Get()), "-1,234,567");
    EXPECT_EQ(Render(Make(VT_R4, [](VARIANT& v) { v.fltVal = 2.5f; }).Get()), "2.500000");
    EXPECT_EQ(Render(Make(VT_R8, [](VARIANT& v) { v.dblVal = 1234.5; }).Get()), "1234.500000");
    EXPECT_EQ(Render(Make(VT_UI1, [](VARIANT& v) { v.bVal = 255; }).Get()), "255");
    EXPECT_EQ(Render(Make(VT_UI2, [](VARIANT& v) { v.uiVal = 65535; }).Get()), "65,535");
    EXPECT_EQ(Render(Make(VT_UI4, [](VARIANT& v) { v.ulVal = 4294967295u; }).Get()), "4,294,967,295");
    EXPECT_EQ(Render(Make(VT_I8, [](VARIANT& v) { v.llVal = -9223372036854775807LL - 1; }).Get()),
              "-9,223,372,036,854,775,808");
    EXPECT_EQ(Render(Make(VT_UI8, [](VARIANT& v) { v.ullVal = 18446744073709551615ULL; }).Get()),
              "18,446,744,073,709,551,615");
    EXPECT_EQ(Render(Make(VT_INT, [](VARIANT& v) { v.intVal = 1000; }).Get()), "1,000");
    EXPECT_EQ(Render(Make(VT_UINT, [](VARIANT& v) { v.uintVal = 999; }).Get()), "999");
    EXPECT_EQ(Render(FakeValue::Text(L"  text with blanks ").Get()), "text with blanks");
}

TEST_F(ValueRenderTest, BooleansAndCharacters)
{
    EXPECT_EQ(Render(FakeValue::Bool(true).Get()), "True");
    EXPECT_EQ(Render(Make(VT_BOOL, [](VARIANT& v) { v.boolVal = 1; }).Get()), "False");
    EXPECT_EQ(Render(Make(VT_I1, [](VARIANT& v) { v.cVal = 65; }).Get()), "A");
    int result = 0;
    EXPECT_EQ(Render(Make(VT_I1, [](VARIANT& v) { v.cVal = 0; }).Get(), &result), "");
    EXPECT_EQ(result, -1);
}

TEST_F(ValueRenderTest, DatesShowTheirFieldsOrMinusOnes)
{
    SYSTEMTIME time{2010, 8, 1, 2, 15, 30, 45, 0};
    DATE date = 0;
    ASSERT_TRUE(SystemTimeToVariantTime(&time, &date));
    EXPECT_EQ(Render(Make(VT_DATE, [&](VARIANT& v) { v.date = date; }).Get()), "2010/08/02 15:30:45");
    EXPECT_EQ(Render(Make(VT_DATE, [](VARIANT& v) { v.date = 1e300; }).Get()),
              "-0001/-01/-01 -01:-01:-01");
}

TEST_F(ValueRenderTest, NothingToShowForEmptyNullAndUnsupportedTypes)
{
    for (VARTYPE type : std::initializer_list<VARTYPE>{VT_EMPTY, VT_NULL, VT_CY, VT_DISPATCH, VT_ERROR, VT_UNKNOWN,
                         static_cast<VARTYPE>(VT_BYREF | VT_I4)}) {
        int result = 0;
        EXPECT_EQ(Render(Make(type, [](VARIANT& v) { v.llVal = 0; }).Get(), &result), "") << type;
        EXPECT_EQ(result, -1);
    }
    int result = 0;
    EXPECT_EQ(Render(FakeValue::Text(L"   ").Get(), &result), "");
    EXPECT_EQ(result, -1);
    FakeValue nullText = Make(VT_BSTR, [](VARIANT& v) { v.bstrVal = nullptr; });
    EXPECT_EQ(Render(nullText.Get(), &result), "");
}

TEST_F(ValueRenderTest, ZeroCharactersAndLoneSurrogatesBecomeReplacementMarks)
{
    // Neither cuts the text short nor spoils its neighbours.
    FakeValue value = Make(VT_BSTR, [](VARIANT& v) { v.bstrVal = SysAllocStringLen(L"ab\0cd\xDC00" L"e\xD800", 8); });
    EXPECT_EQ(Render(value.Get()), "ab\uFFFDcd\uFFFDe\uFFFD");
    FakeValue pair = Make(VT_BSTR, [](VARIANT& v) { v.bstrVal = SysAllocString(L"\U0001D11E ✓ ®"); });
    EXPECT_EQ(Render(pair.Get()), "𝄞 ✓ ®");
}

TEST_F(ValueRenderTest, ArraysAreBracketedAndDecodedElementByElement)
{
    int result = 0;
    EXPECT_EQ(Render(FakeValue::TextArray({}).Get(), &result), "");
    EXPECT_EQ(result, -1) << "no elements, no brackets";
    EXPECT_EQ(Render(FakeValue::TextArray({L"x"}).Get(), &result), "[ x ]");
    EXPECT_EQ(result, 0);
    EXPECT_EQ(Render(FakeValue::TextArray({L"x", L" y "}).Get()), "[ x, y ]");
    EXPECT_EQ(Render(FakeValue::TextArray({L"  "}).Get()), "[  ]");
    EXPECT_EQ(Render(FakeValue::TextArray({L"a", std::wstring(), L"c"}).Get()), "[ a, , c ]");
    EXPECT_EQ(Render(FakeValue::I4Array({1000, -5}).Get()), "[ 1,000, -5 ]");
    EXPECT_EQ(Render(ObjectArray(3).Get()), "[ , ,  ]");
}

// WMI delivers uint32 as VT_I4; the property's CIM type tells the unsigned number, and the
// decoders read the same code either way.
TEST_F(ValueRenderTest, Uint32DeliveredAsI4ShowsUnsignedAndDecodesAsBefore)
{
    FakeValue ram = Make(VT_I4, [](VARIANT& v) { v.lVal = static_cast<LONG>(0xFFF00000u); });
    std::string text;
    RenderPropertyValue(ram.Get(), text, 1000, L"AdapterRAM", {}, CIM_UINT32);
    EXPECT_EQ(text, "4,293,918,720");
    RenderPropertyValue(ram.Get(), text, 1000, L"AdapterRAM", {}, CIM_SINT32);
    EXPECT_EQ(text, "-1,048,576");
    FakeValue type = Make(VT_I4, [](VARIANT& v) { v.lVal = static_cast<LONG>(0x80000003u); });
    std::string signedText;
    RenderPropertyValue(type.Get(), text, ClassId::Win32_Share, L"Type", {}, CIM_UINT32);
    RenderPropertyValue(type.Get(), signedText, ClassId::Win32_Share, L"Type");
    EXPECT_EQ(text, "0x80000003 : IPC Admin");
    EXPECT_EQ(text, signedText);
    RenderPropertyValue(FakeValue::I4Array({-1, 7}).Get(), text, 1000, L"SomeValue", {}, CIM_UINT32 | CIM_FLAG_ARRAY);
    EXPECT_EQ(text, "[ 4,294,967,295, 7 ]");
}

TEST_F(ValueRenderTest, ArrayBoundsNeedNotStartAtZero)
{
    SAFEARRAYBOUND bound{2, 5};
    SAFEARRAY* array = SafeArrayCreate(VT_I4, 1, &bound);
    for (LONG index = 5; index <= 6; ++index) {
        LONG element = index * 10;
        SafeArrayPutElement(array, &index, &element);
    }
    FakeValue value = Make(VT_ARRAY | VT_I4, [&](VARIANT& v) { v.parray = array; });
    EXPECT_EQ(Render(value.Get()), "[ 50, 60 ]");
}

TEST_F(ValueRenderTest, TypeNamesIncludeTheirFlags)
{
    EXPECT_EQ(VarTypeText(VT_ARRAY | VT_BSTR), "VT_ARRAY[VT_BSTR]");
    EXPECT_EQ(VarTypeText(VT_ARRAY | VT_UINT), "VT_ARRAY[VT_UINT]");
    EXPECT_EQ(VarTypeText(VT_BSTR), "VT_BSTR");
    EXPECT_EQ(VarTypeText(VT_UI8), "VT_UI8");
    EXPECT_EQ(VarTypeText(VT_ARRAY | VT_VARIANT), "<Unknown>");
    EXPECT_EQ(VarTypeText(VT_NULL), "<Unknown>");
    EXPECT_EQ(VarTypeText(VT_EMPTY), "<Unknown>");
    SetTextLanguage(kJapaneseLanguage);
    EXPECT_EQ(LoadTextW(6031), L"<\u4e0d\u660e>");
    EXPECT_EQ(LoadTextW(6016), L"VT_BSTR");
}
