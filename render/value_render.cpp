#include "render/value_render.h"

#include <windows.h>

#include <cstring>
#include <string_view>

#include "render/decode.h"
#include "base/format_text.h"
#include "base/narrow.h"
#include "resources/resource.h"
#include "resources/text.h"

namespace {

// Up to the first zero character; a null BSTR is empty.
std::string BstrText(BSTR value)
{
    if (!value)
        return {};
    // The whole string by its length: an embedded NUL must not cut off the rest.
    return ToNarrow(std::wstring_view(value, SysStringLen(value)));
}

// Each field comes from its own conversion; a failed one shows as -1.
std::string DateText(DATE value)
{
    SYSTEMTIME time{};
    bool converted = VariantTimeToSystemTime(value, &time) != 0;
    auto field = [&](WORD part) { return converted ? static_cast<int>(part) : -1; };
    return FormatText("%4.4d/%2.2d/%2.2d %2.2d:%2.2d:%2.2d", field(time.wYear),
                      field(time.wMonth), field(time.wDay), field(time.wHour),
                      field(time.wMinute), field(time.wSecond));
}

std::string CharacterText(CHAR value)
{
    // "%c" into a C string: a zero byte ends the text.
    return value == 0 ? std::string() : std::string(1, value);
}

// The scalar rules, applied to the value stored at `data` with type `type`. Returns false
// for a type without a rule.
bool FormatScalar(VARTYPE type, const void* data, std::string& text)
{
    switch (type) {
    case VT_I2: text = FormatText("%hd", *static_cast<const SHORT*>(data)); return true;
    case VT_I4: text = FormatText("%ld", static_cast<long>(*static_cast<const LONG*>(data))); return true;
    case VT_R4: text = FormatText("%f", static_cast<double>(*static_cast<const FLOAT*>(data))); return true;
    case VT_R8: text = FormatText("%lf", *static_cast<const DOUBLE*>(data)); return true;
    case VT_DATE: text = DateText(*static_cast<const DATE*>(data)); return true;
    case VT_BSTR: text = BstrText(*static_cast<const BSTR*>(data)); return true;
    case VT_BOOL: text = *static_cast<const VARIANT_BOOL*>(data) == VARIANT_TRUE ? "True" : "False"; return true;
    case VT_I1: text = CharacterText(*static_cast<const CHAR*>(data)); return true;
    case VT_UI1: text = FormatText("%d", static_cast<int>(*static_cast<const BYTE*>(data))); return true;
    case VT_UI2: text = FormatText("%hu", *static_cast<const USHORT*>(data)); return true;
    case VT_UI4: text = FormatText("%lu", static_cast<unsigned long>(*static_cast<const ULONG*>(data))); return true;
    case VT_I8: text = FormatText("%lld", static_cast<long long>(*static_cast<const LONGLONG*>(data))); return true;
    case VT_UI8: text = FormatText("%llu", static_cast<unsigned long long>(*static_cast<const ULONGLONG*>(data))); return true;
    case VT_INT: text = FormatText("%d", *static_cast<const INT*>(data)); return true;
    case VT_UINT: text = FormatText("%u", *static_cast<const UINT*>(data)); return true;
    default: return false;
    }
}

// The bytes of one element of a type with a scalar rule; 0 for the other types.
size_t ScalarSize(VARTYPE type)
{
    switch (type) {
    case VT_I1: case VT_UI1: return 1;
    case VT_I2: case VT_UI2: case VT_BOOL: return 2;
    case VT_I4: case VT_UI4: case VT_R4: case VT_INT: case VT_UINT: return 4;
    case VT_R8: case VT_DATE: case VT_I8: case VT_UI8: return 8;
    case VT_BSTR: return sizeof(BSTR);
    default: return 0;
    }
}

// True when the array really holds elements of `elementType`. SafeArrayGetElement copies
// as many bytes as the array's own elements have, and copies strings or takes references
// by the array's own features, whatever type the VARIANT names: an array that is not
// what the VARIANT says is not read at all.
bool ArrayHolds(SAFEARRAY* array, VARTYPE elementType)
{
    VARTYPE stored = VT_EMPTY;
    if (SUCCEEDED(SafeArrayGetVartype(array, &stored)) && stored != elementType)
        return false;
    constexpr USHORT kOwningFeatures =
        FADF_BSTR | FADF_UNKNOWN | FADF_DISPATCH | FADF_VARIANT | FADF_RECORD;
    const USHORT expected = elementType == VT_BSTR ? FADF_BSTR : 0;
    const size_t size = ScalarSize(elementType);
    return size != 0 && (array->fFeatures & kOwningFeatures) == expected &&
           SafeArrayGetElemsize(array) == size;
}

// Fetches element `index` into `elementText` by the scalar rules (the array holds
// elements of `elementType`). Leaves the text as it was when the element cannot be
// fetched.
void FormatElement(SAFEARRAY* array, LONG index, VARTYPE elementType, std::string& elementText)
{
    alignas(8) unsigned char storage[sizeof(LONGLONG)] = {};
    static_assert(sizeof(BSTR) <= sizeof storage);
    if (FAILED(SafeArrayGetElement(array, &index, storage)))
        return;
    FormatScalar(elementType, storage, elementText);
    if (elementType == VT_BSTR)
        SysFreeString(*reinterpret_cast<BSTR*>(storage));
}

int RenderArray(const VARIANT& value, std::string& text, int classId, const wchar_t* name,
                std::string_view host, CIMTYPE cimType)
{
    SAFEARRAY* array = value.parray;
    LONG lower = 0, upper = -1;
    if (!array || FAILED(SafeArrayGetLBound(array, 1, &lower)) ||
        FAILED(SafeArrayGetUBound(array, 1, &upper)))
        return -1;
    const VARTYPE elementType = static_cast<VARTYPE>(value.vt - VT_ARRAY);
    const VARTYPE readType = IntegerTypeOf(elementType, cimType);
    // An element type without a rule contributes empty elements: nothing is fetched.
    const bool readable = ArrayHolds(array, elementType);
    std::string elementText;
    for (LONG index = lower; index <= upper; ++index) {
        if (readable)
            FormatElement(array, index, readType, elementText);
        if (!elementText.empty())
            elementText = DecodePropertyValue(classId, readType, name, elementText, host);
        if (text.empty())
            text = LoadText(IDS_ARRAY_OPEN) + elementText;
        else
            text += ", " + elementText;
        if (index == upper)
            break;   // LONG_MAX bound: do not wrap around
    }
    if (!text.empty())
        text += LoadText(IDS_ARRAY_CLOSE);
    return text.empty() ? -1 : 0;
}

struct TypeName {
    VARTYPE type;
    UINT stringId;
};

constexpr TypeName kTypeNames[] = {
    {VT_ARRAY | VT_BSTR, 6001}, {VT_ARRAY | VT_I2, 6002},   {VT_ARRAY | VT_I4, 6003},
    {VT_ARRAY | VT_I8, 6004},   {VT_ARRAY | VT_UI1, 6005},  {VT_ARRAY | VT_R4, 6006},
    {VT_ARRAY | VT_R8, 6007},   {VT_ARRAY | VT_BOOL, 6008}, {VT_ARRAY | VT_DATE, 6009},
    {VT_ARRAY | VT_I1, 6010},   {VT_ARRAY | VT_UI2, 6011},  {VT_ARRAY | VT_UI4, 6012},
    {VT_ARRAY | VT_UI8, 6013},  {VT_ARRAY | VT_INT, 6014},  {VT_ARRAY | VT_UINT, 6015},
    {VT_BSTR, 6016},            {VT_I2, 6017},              {VT_I4, 6018},
    {VT_I8, 6019},              {VT_UI1, 6020},             {VT_R4, 6021},
    {VT_R8, 6022},              {VT_BOOL, 6023},            {VT_DATE, 6024},
    {VT_I1, 6025},              {VT_UI2, 6026},             {VT_UI4, 6027},
    {VT_UI8, 6028},             {VT_INT, 6029},             {VT_UINT, 6030},
};

}  // namespace

VARTYPE IntegerTypeOf(VARTYPE delivered, CIMTYPE cimType)
{
    return delivered == VT_I4 && (cimType & ~CIM_FLAG_ARRAY) == CIM_UINT32 ? static_cast<VARTYPE>(VT_UI4) : delivered;
}

int RenderPropertyValue(const VARIANT& value, std::string& text, int classId,
                        const wchar_t* propertyName, std::string_view host, CIMTYPE cimType)
{
    text.clear();
    if (value.vt & VT_BYREF)
        return -1;
    if (value.vt & VT_ARRAY)
        return RenderArray(value, text, classId, propertyName, host, cimType);
    // Every scalar member of the VARIANT union starts at the same address, and VT_I4 and
    // VT_UI4 share theirs.
    const VARTYPE readType = IntegerTypeOf(value.vt, cimType);
    if (!FormatScalar(readType, &value.bVal, text))
        return -1;
    if (!text.empty())
        text = DecodePropertyValue(classId, readType, propertyName, std::move(text), host);
    return text.empty() ? -1 : 0;
}

std::string VarTypeText(VARTYPE type)
{
    for (const TypeName& entry : kTypeNames) {
        if (entry.type == type)
            return LoadText(entry.stringId);
    }
    return LoadText(IDS_VT_UNKNOWN);
}
