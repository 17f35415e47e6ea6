// Value rendering against what a hostile computer may send: random and extreme values of
// every type the renderer formats, alone and in arrays, and arrays that do not hold what
// their VARIANT names. No text may be longer than the value's text can be or hold a zero
// byte, and nothing may crash. Fixed seed and counts: the same cases on every run.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "render/property_routes.h"
#include "render/value_render.h"
#include "resources/narrow.h"
#include "resources/text.h"
#include "tests/support/fake_wmi.h"

namespace {

constexpr wchar_t kPlain[] = L"SomeValue";   // no decoder: formatted text, integers grouped

constexpr VARTYPE kRenderedTypes[] = {VT_I2,  VT_I4,  VT_R4,  VT_R8,  VT_DATE,
                                      VT_BSTR, VT_BOOL, VT_I1, VT_UI1, VT_UI2,
                                      VT_UI4, VT_I8,  VT_UI8, VT_INT, VT_UINT};

// The longest text a scalar of `type` renders to without a decoder: the widest value
// with its sign and grouping commas ("-9,223,372,036,854,775,808"), the 309 digits of
// the largest double with sign and six decimals.
size_t LongestText(VARTYPE type)
{
    switch (type) {
    case VT_I1: return 1;
    case VT_UI1: return 3;
    case VT_BOOL: return 5;
    case VT_UI2: return 6;
    case VT_I2: return 7;
    case VT_UI4: case VT_UINT: return 13;
    case VT_I4: case VT_INT: return 14;
    case VT_DATE: return 6 * 5 + 5;   // six fields of at most five digits
    case VT_I8: case VT_UI8: return 26;
    case VT_R4: return 1 + 39 + 7;
    case VT_R8: return 1 + 309 + 7;
    default: return 0;
    }
}

// A string's text is at most two bytes a character (double-byte code pages).
size_t LongestText(const wchar_t* text)
{
    return text ? 2 * std::wcslen(text) : 0;
}

class Generator {
public:
    // Random bits, now and then one of the extremes of the type.
    ULONGLONG Bits(VARTYPE type)
    {
        if (random_() % 4 != 0)
            return (static_cast<ULONGLONG>(random_()) << 32) | random_();
        const std::vector<ULONGLONG>& extremes = Extremes(type);
        return extremes[random_() % extremes.size()];
    }

    std::wstring Text()
    {
        static constexpr wchar_t kSpecial[] = {0, L'\r', L'\n', L'"', L'=', L',', 0xD800,
                                               0xDC00, 0xFFFF, 0x3042, L'%', L' '};
        std::wstring text(random_() % 300, L'\0');
        for (wchar_t& character : text) {
            character = random_() % 3 ? static_cast<wchar_t>(random_())
                                      : kSpecial[random_() % std::size(kSpecial)];
        }
        return text;
    }

    unsigned Next(unsigned limit) { return random_() % limit; }

private:
    static ULONGLONG Double(double value)
    {
        ULONGLONG bits = 0;
        std::memcpy(&bits, &value, sizeof bits);
        return bits;
    }

    static std::vector<ULONGLONG> Extremes(VARTYPE type)
    {
        if (type == VT_R8 || type == VT_DATE) {
            return {Double(0.0), Double(-0.0), Double(1e60), Double(1e300), Double(DBL_MAX),
                    Double(-DBL_MAX), Double(DBL_MIN), Double(DBL_TRUE_MIN),
                    Double(INFINITY), Double(-INFINITY), Double(NAN), Double(2958465.99999),
                    Double(-657434.0)};
        }
        if (type == VT_R4) {
            auto single = [](float value) {
                ULONG bits = 0;
                std::memcpy(&bits, &value, sizeof bits);
                return static_cast<ULONGLONG>(bits);
            };
            return {single(FLT_MAX), single(-FLT_MAX), single(FLT_MIN), single(INFINITY),
                    single(NAN), single(0.0f)};
        }
        return {0, 1, 0x7F, 0x80, 0xFF, 0x7FFF, 0x8000, 0xFFFF, 0x7FFFFFFF, 0x80000000,
                0xFFFFFFFF, 0x7FFFFFFFFFFFFFFF, 0x8000000000000000, ~0ULL};
    }

    std::mt19937 random_{20261209};
};

// A VARIANT of `type` with the given bits in its value (only as many as the type has).
FakeValue Scalar(VARTYPE type, ULONGLONG bits)
{
    FakeValue value;
    value.Get().vt = type;
    value.Get().ullVal = bits;
    return value;
}

FakeValue Text(const std::wstring& text)
{
    FakeValue value;
    value.Get().vt = VT_BSTR;
    value.Get().bstrVal = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return value;
}

std::string Render(const VARIANT& value, const wchar_t* name = kPlain)
{
    std::string text = "previous";
    int result = RenderPropertyValue(value, text, 1000, name);
    EXPECT_EQ(result, text.empty() ? -1 : 0);
    return text;
}

// An array of `count` elements of `type` from `lower` on, filled from the generator;
// `longest` receives the longest text its elements can have together.
FakeValue Array(VARTYPE type, LONG lower, ULONG count, Generator& generator, size_t& longest)
{
    FakeValue value;
    value.Get().vt = VT_ARRAY | type;
    SAFEARRAYBOUND bound{count, lower};
    value.Get().parray = SafeArrayCreate(type, 1, &bound);
    longest = 0;
    for (ULONG offset = 0; offset < count; ++offset) {
        LONG index = lower + static_cast<LONG>(offset);
        if (type == VT_BSTR) {
            FakeValue element = Text(generator.Text());
            longest += LongestText(element.Get().bstrVal);
            SafeArrayPutElement(value.Get().parray, &index, element.Get().bstrVal);
        } else {
            ULONGLONG bits = generator.Bits(type);
            longest += LongestText(type);
            SafeArrayPutElement(value.Get().parray, &index, &bits);
        }
    }
    return value;
}

void ExpectNoZeroByte(const std::string& text, const char* what)
{
    EXPECT_EQ(text.find('\0'), std::string::npos) << what;
}

class ValueRenderFuzz : public testing::Test {
protected:
    void SetUp() override { SetTextLanguage(kEnglishLanguage); }
    void TearDown() override { SetTextLanguage(0); }
    Generator generator_;
};

}  // namespace

TEST_F(ValueRenderFuzz, ScalarsStayWithinTheirTextAndHoldNoZeroByte)
{
    for (VARTYPE type : kRenderedTypes) {
        for (int round = 0; round < 2000; ++round) {
            if (type == VT_BSTR) {
                FakeValue value = Text(generator_.Text());
                std::string text = Render(value.Get());
                EXPECT_LE(text.size(), LongestText(value.Get().bstrVal));
                ExpectNoZeroByte(text, "VT_BSTR");
                continue;
            }
            const ULONGLONG bits = generator_.Bits(type);
            std::string text = Render(Scalar(type, bits).Get());
            EXPECT_LE(text.size(), LongestText(type)) << "type " << type << " bits " << bits;
            ExpectNoZeroByte(text, "scalar");
        }
    }
}

TEST_F(ValueRenderFuzz, ArraysStayWithinTheirElementsAndHoldNoZeroByte)
{
    for (VARTYPE type : kRenderedTypes) {
        for (int round = 0; round < 200; ++round) {
            const ULONG count = generator_.Next(9);
            // Bounds anywhere, up to the very end of the index range.
            const LONG lower = round % 3 == 0   ? std::numeric_limits<LONG>::max() - 8
                               : round % 3 == 1 ? -static_cast<LONG>(generator_.Next(1000))
                                                : 0;
            size_t longest = 0;
            FakeValue value = Array(type, lower, count, generator_, longest);
            std::string text = Render(value.Get());
            if (count == 0) {
                EXPECT_EQ(text, "");
                continue;
            }
            EXPECT_LE(text.size(), longest + 2 * (count - 1) + 4) << "type " << type;
            EXPECT_TRUE(text.starts_with("[ ") && text.ends_with(" ]")) << text;
            ExpectNoZeroByte(text, "array");
        }
    }
}

TEST_F(ValueRenderFuzz, ArrayThatIsNotWhatItsVariantNamesShowsEmptyElements)
{
    // The VARIANT names one element type, the array holds another (24-byte variants,
    // 16-byte decimals, strings, objects): no element is read as the named type.
    const VARTYPE held[] = {VT_VARIANT, VT_DECIMAL, VT_BSTR, VT_UNKNOWN, VT_I8, VT_I1, VT_INT};
    for (VARTYPE named : kRenderedTypes) {
        for (VARTYPE actual : held) {
            if (actual == named)
                continue;
            SAFEARRAYBOUND bound{3, 0};
            FakeValue value;
            value.Get().vt = VT_ARRAY | named;
            value.Get().parray = SafeArrayCreate(actual, 1, &bound);
            ASSERT_NE(value.Get().parray, nullptr) << actual;
            EXPECT_EQ(Render(value.Get()), "[ , ,  ]") << "named " << named << " held " << actual;
        }
    }
}

TEST_F(ValueRenderFuzz, EveryDecoderTakesHostileValues)
{
    // Decoders may lengthen a text ("3 : Running or Full Power"), but never put a zero
    // byte into it.
    for (const PropertyRoute& route : PropertyRoutes()) {
        const std::wstring name = ToWide(route.name);
        for (VARTYPE type : kRenderedTypes) {
            FakeValue value = type == VT_BSTR ? Text(generator_.Text())
                                              : Scalar(type, generator_.Bits(type));
            ExpectNoZeroByte(Render(value.Get(), name.c_str()), route.name);
        }
    }
}
