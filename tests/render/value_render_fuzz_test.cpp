// Value rendering against what a hostile computer may send: random and extreme values of
// every type the renderer formats, alone and in arrays, through every decoder. No text
// may be longer than its value's can be, hold a zero byte, or crash. Fixed seed and counts.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstring>
#include <random>

#include "render/property_routes.h"
#include "render/value_render.h"
#include "base/narrow.h"
#include "tests/support/fake_wmi.h"

namespace {

// Each type with the longest text it renders to without a decoder (sign and grouping
// commas, the 309 digits of the largest double, six date fields of five digits); a
// string's text has at most two bytes a character.
constexpr std::pair<VARTYPE, size_t> kTypes[] = {
    {VT_I1, 1},    {VT_UI1, 3},  {VT_BOOL, 5}, {VT_UI2, 6},  {VT_I2, 7},   {VT_UI4, 13},
    {VT_UINT, 13}, {VT_I4, 14},  {VT_INT, 14}, {VT_I8, 26},  {VT_UI8, 26}, {VT_DATE, 35},
    {VT_R4, 47},   {VT_R8, 317}, {VT_BSTR, 0}};

const double kExtremes[] = {1e60, 1e300, -DBL_MAX, DBL_TRUE_MIN, HUGE_VAL, NAN};

std::mt19937 g_random(20261209);   // one sequence for the whole program: the same cases

ULONGLONG RandomBits()
{
    ULONGLONG bits = static_cast<ULONGLONG>(g_random()) << 32 | g_random();
    if (g_random() % 4 == 0)
        std::memcpy(&bits, &kExtremes[g_random() % std::size(kExtremes)], sizeof bits);
    return g_random() % 8 ? bits : ~0ULL << (g_random() % 64);   // every integer extreme
}

// Any UTF-16 code units, often zeros, line breaks and lone surrogates.
BSTR RandomText()
{
    std::wstring text(g_random() % 300, L' ');
    for (wchar_t& unit : text)
        unit = g_random() % 3 ? static_cast<wchar_t>(g_random()) : L"\0\r\n\xD800\xDC00="[g_random() % 6];
    return SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
}

std::string Render(const VARIANT& value, const wchar_t* name = L"SomeValue")
{
    std::string text;
    const int result = RenderPropertyValue(value, text, 1000, name);
    EXPECT_EQ(result, text.empty() ? -1 : 0);
    EXPECT_EQ(text.find('\0'), std::string::npos) << "type " << value.vt;
    return text;
}

// A scalar, or an array of `count` elements from `lower` on; `longest` grows by the
// longest text of every value put in.
FakeValue Make(VARTYPE type, size_t typeLongest, bool array, ULONG count, LONG lower, size_t& longest)
{
    FakeValue value;
    value.Get().vt = static_cast<VARTYPE>(array ? VT_ARRAY | type : type);
    SAFEARRAYBOUND bound{count, lower};
    if (array)
        value.Get().parray = SafeArrayCreate(type, 1, &bound);
    for (LONG index = lower; index - lower < static_cast<LONG>(array ? count : 1); ++index) {
        ULONGLONG bits = RandomBits();
        BSTR text = type == VT_BSTR ? RandomText() : nullptr;
        longest += text ? 3 * SysStringLen(text) : typeLongest;   // UTF-8: at most 3 bytes a UTF-16 unit
        if (!array) {
            value.Get().ullVal = text ? reinterpret_cast<ULONGLONG>(text) : bits;
            break;
        }
        SafeArrayPutElement(value.Get().parray, &index, text ? static_cast<void*>(text) : &bits);
        SysFreeString(text);
    }
    return value;
}

}  // namespace

TEST(ValueRenderFuzz, NoTextIsLongerThanItsValueCanBeOrHoldsAZeroByte)
{
    for (auto [type, typeLongest] : kTypes) {
        for (int round = 0; round < 1000; ++round) {
            const bool array = round % 2;
            const ULONG count = g_random() % 6;
            // Arrays anywhere in the index range, up to its very end.
            const LONG lower = round % 3 ? -static_cast<LONG>(g_random() % 99) : LONG_MAX - 5;
            size_t longest = array && count ? 4 + 2 * (count - 1) : 0;   // "[ ", ", ", " ]"
            FakeValue value = Make(type, typeLongest, array, count, lower, longest);
            EXPECT_LE(Render(value.Get()).size(), longest) << "type " << value.Get().vt;
        }
        // Decoders lengthen texts ("3 : Running or Full Power"), but add no zero byte.
        for (const PropertyRoute& route : PropertyRoutes()) {
            size_t longest = 0;
            Render(Make(type, typeLongest, false, 1, 0, longest).Get(), ToWide(route.name).c_str());
        }
    }
}

TEST(ValueRenderFuzz, ArrayHoldingAnotherTypeThanItsVariantNamesShowsEmptyElements)
{
    // Read as the named type, a larger element would overrun the element buffer, and a
    // string or object would be taken for a number (or a number for a string).
    for (auto [named, typeLongest] : kTypes) {
        for (VARTYPE held : {VT_VARIANT, VT_DECIMAL, VT_BSTR, VT_UNKNOWN, VT_I8}) {
            FakeValue value;
            value.Get().vt = static_cast<VARTYPE>(VT_ARRAY | named);
            value.Get().parray = SafeArrayCreateVector(held, 0, 2);
            if (held != named) {
                EXPECT_EQ(Render(value.Get()), "[ ,  ]") << named << " holding " << held;
            }
        }
    }
}
