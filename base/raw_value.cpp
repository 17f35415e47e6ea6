#include "base/raw_value.h"

#include <windows.h>
#include <oleauto.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "base/narrow.h"

namespace {

const std::string kNoText;

std::string Utf8Of(BSTR text)
{
    return text ? ToNarrow(std::wstring_view(text, SysStringLen(text))) : std::string();
}

// WMI gives datetimes as CIM texts; an OLE date (from other providers) becomes ISO 8601.
std::string DateText(DATE date)
{
    SYSTEMTIME time{};
    if (!VariantTimeToSystemTime(date, &time))
        return {};
    char text[32];
    wsprintfA(text, "%04u-%02u-%02uT%02u:%02u:%02u", time.wYear, time.wMonth, time.wDay, time.wHour,
              time.wMinute, time.wSecond);
    return text;
}

// A text of decimal digits (with a leading "-" for signed types) as a number; the text
// itself when it is no such number or does not fit.
RawValue NumberOfText(std::string text, bool isSigned)
{
    const bool digits = !text.empty() && text.find_first_not_of("0123456789", text[0] == '-' ? 1 : 0) ==
                                             std::string::npos && text != "-";
    if (digits) {
        errno = 0;
        char* end = nullptr;
        if (isSigned) {
            long long number = std::strtoll(text.c_str(), &end, 10);
            if (errno == 0 && *end == '\0')
                return RawValue{static_cast<int64_t>(number)};
        } else if (text[0] != '-') {
            unsigned long long number = std::strtoull(text.c_str(), &end, 10);
            if (errno == 0 && *end == '\0')
                return RawValue{static_cast<uint64_t>(number)};
        }
    }
    return RawValue{std::move(text)};
}

RawValue ScalarOf(VARTYPE type, const void* data, CIMTYPE cimType)
{
    const CIMTYPE element = cimType & ~CIM_FLAG_ARRAY;
    switch (type) {
    case VT_BOOL: return RawValue{*static_cast<const VARIANT_BOOL*>(data) != VARIANT_FALSE};
    case VT_I1: return RawValue{static_cast<int64_t>(*static_cast<const CHAR*>(data))};
    case VT_UI1: return RawValue{static_cast<int64_t>(*static_cast<const BYTE*>(data))};
    case VT_I2: return RawValue{static_cast<int64_t>(*static_cast<const SHORT*>(data))};
    case VT_UI2: return RawValue{static_cast<int64_t>(*static_cast<const USHORT*>(data))};
    case VT_I4:
        // WMI delivers a uint32 as VT_I4: the raw value is the unsigned number.
        if (element == CIM_UINT32)
            return RawValue{static_cast<uint64_t>(*static_cast<const ULONG*>(data))};
        return RawValue{static_cast<int64_t>(*static_cast<const LONG*>(data))};
    case VT_UI4: return RawValue{static_cast<int64_t>(*static_cast<const ULONG*>(data))};
    case VT_INT: return RawValue{static_cast<int64_t>(*static_cast<const INT*>(data))};
    case VT_UINT: return RawValue{static_cast<int64_t>(*static_cast<const UINT*>(data))};
    case VT_I8: return RawValue{static_cast<int64_t>(*static_cast<const LONGLONG*>(data))};
    case VT_UI8: return RawValue{static_cast<uint64_t>(*static_cast<const ULONGLONG*>(data))};
    case VT_R4: return RawValue{static_cast<double>(*static_cast<const FLOAT*>(data))};
    case VT_R8: return RawValue{*static_cast<const DOUBLE*>(data)};
    case VT_DATE: return RawValue{DateText(*static_cast<const DATE*>(data))};
    case VT_BSTR: {
        std::string text = Utf8Of(*static_cast<const BSTR*>(data));
        if (element == CIM_SINT64 || element == CIM_UINT64)
            return NumberOfText(std::move(text), element == CIM_SINT64);
        return RawValue{std::move(text)};
    }
    default: return RawValue{};
    }
}

RawValue ArrayOf(const VARIANT& value, CIMTYPE cimType)
{
    SAFEARRAY* array = value.parray;
    LONG lower = 0, upper = -1;
    if (!array || SafeArrayGetDim(array) != 1 || FAILED(SafeArrayGetLBound(array, 1, &lower)) ||
        FAILED(SafeArrayGetUBound(array, 1, &upper)))
        return RawValue{};
    const VARTYPE elementType = static_cast<VARTYPE>(value.vt & ~VT_ARRAY);
    VARTYPE stored = VT_EMPTY;
    // An array that is not what the VARIANT says is not read (see the renderer).
    if (FAILED(SafeArrayGetVartype(array, &stored)) || stored != elementType)
        return RawValue{};
    RawArray elements;
    void* data = nullptr;
    if (FAILED(SafeArrayAccessData(array, &data)))
        return RawValue{};
    const UINT size = SafeArrayGetElemsize(array);
    for (LONG index = lower; index <= upper; ++index) {
        elements.push_back(ScalarOf(elementType, static_cast<const char*>(data) + size * (index - lower), cimType));
        if (index == upper)
            break;   // LONG_MAX bound: do not wrap around
    }
    SafeArrayUnaccessData(array);
    return RawValue{std::move(elements)};
}

}  // namespace

bool RawValue::AsInteger(int64_t& number) const
{
    if (const int64_t* signedValue = std::get_if<int64_t>(&value)) {
        number = *signedValue;
        return true;
    }
    if (const uint64_t* unsignedValue = std::get_if<uint64_t>(&value)) {
        if (*unsignedValue > static_cast<uint64_t>(INT64_MAX))
            return false;
        number = static_cast<int64_t>(*unsignedValue);
        return true;
    }
    if (const std::string* text = std::get_if<std::string>(&value)) {
        RawValue parsed = NumberOfText(*text, true);
        return !std::holds_alternative<std::string>(parsed.value) && parsed.AsInteger(number);
    }
    return false;
}

const std::string& RawValue::Text() const
{
    const std::string* text = std::get_if<std::string>(&value);
    return text ? *text : kNoText;
}

RawValue RawValueOf(const VARIANT& value, CIMTYPE cimType)
{
    RawValue raw;
    // A reference is nothing WMI delivers: null. Every scalar member of the VARIANT union
    // starts at the same address.
    if (!(value.vt & VT_BYREF))
        raw = (value.vt & VT_ARRAY) ? ArrayOf(value, cimType) : ScalarOf(value.vt, &value.bVal, cimType);
    raw.vartype = value.vt;
    return raw;
}
