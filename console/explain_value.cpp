#include "console/explain_value.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

#include "console/class_argument.h"
#include "render/decode.h"
#include "render/value_render.h"
#include "resources/resource.h"
#include "resources/text.h"

namespace {

struct NumericRange {
    VARTYPE type;
    long long lowest;           // integers only
    unsigned long long highest;
};

constexpr NumericRange kIntegerRanges[] = {
    {VT_I1, -128, 127},
    {VT_I2, -32768, 32767},
    {VT_I4, -2147483648LL, 2147483647},
    {VT_INT, -2147483648LL, 2147483647},
    {VT_I8, LLONG_MIN, LLONG_MAX},
    {VT_UI1, 0, 255},
    {VT_UI2, 0, 65535},
    {VT_UI4, 0, 4294967295ULL},
    {VT_UINT, 0, 4294967295ULL},
    {VT_UI8, 0, ULLONG_MAX},
};

const NumericRange* IntegerRange(VARTYPE type)
{
    for (const NumericRange& range : kIntegerRanges) {
        if (range.type == type)
            return &range;
    }
    return nullptr;
}

bool IsNumericType(VARTYPE type)
{
    return type == VT_R4 || type == VT_R8 || IntegerRange(type);
}

// A whole decimal number within the range; the value's bytes as a VARIANT holds them.
bool ReadInteger(const std::string& text, const NumericRange& range, VARIANT& value)
{
    char* end = nullptr;
    errno = 0;
    if (range.lowest < 0) {
        long long number = std::strtoll(text.c_str(), &end, 10);
        value.llVal = number;
        return *end == '\0' && errno == 0 && number >= range.lowest &&
               number <= static_cast<long long>(range.highest);
    }
    if (text.find('-') != std::string::npos)
        return false;
    unsigned long long number = std::strtoull(text.c_str(), &end, 10);
    value.ullVal = number;
    return *end == '\0' && errno == 0 && number <= range.highest;
}

// A real number as C reads it ("1.5", "-2e-3", "1e300"), rounded once to the type: the
// same in every locale. The IEEE special values are values of the type alike: "inf",
// "nan", and a number too large for the type, which rounds to infinity ("1e309").
bool ReadReal(const std::string& text, VARTYPE type, VARIANT& value)
{
    char* end = nullptr;
    if (type == VT_R4)
        value.fltVal = std::strtof(text.c_str(), &end);
    else
        value.dblVal = std::strtod(text.c_str(), &end);
    return *end == '\0';
}

// The text as a VARIANT of the numeric `type` (no leading or trailing garbage).
bool ConvertValue(const std::string& text, VARTYPE type, VARIANT& value)
{
    VariantInit(&value);
    value.vt = type;
    if (text.empty())
        return false;
    const NumericRange* range = IntegerRange(type);
    return range ? ReadInteger(text, *range, value) : ReadReal(text, type, value);
}

VARTYPE ScalarTypeOf(const ExplainRequest& request)
{
    return static_cast<VARTYPE>(request.type & VT_TYPEMASK);
}

}  // namespace

bool ParseExplainTarget(const std::string& argument, ExplainRequest& request, std::string& reason)
{
    const size_t equals = argument.find('=');
    const size_t dot = argument.find('.');
    if (equals == std::string::npos || dot == std::string::npos || dot > equals || dot == 0 ||
        dot + 1 == equals) {
        reason = LoadText(IDS_REPORT_EXPLAIN_FORM) + argument;
        return false;
    }
    request.classId = ClassIdFromArgument(argument.substr(0, dot), reason);
    if (request.classId == 0)
        return false;
    const std::string property = argument.substr(dot + 1, equals - dot - 1);
    request.propertyName = FindClassProperty(request.classId, property);
    if (!request.propertyName) {
        reason = LoadText(IDS_REPORT_UNKNOWN_PROPERTY) + argument.substr(0, equals);
        return false;
    }
    request.value = argument.substr(equals + 1);
    return true;
}

bool ParseValueType(const std::string& text, VARTYPE& type, std::string& reason)
{
    char* end = nullptr;
    errno = 0;
    unsigned long number = text.empty() ? 0 : std::strtoul(text.c_str(), &end, 0);
    if (text.empty() || text[0] == '-' || text[0] == '+' || *end != '\0' || errno != 0 ||
        number > 0xFFFF) {
        reason = LoadText(IDS_REPORT_BAD_VALUE_TYPE) + text;
        return false;
    }
    type = static_cast<VARTYPE>(number);
    return true;
}

VARTYPE DefaultValueType(const std::string& value)
{
    size_t start = (!value.empty() && (value[0] == '-' || value[0] == '+')) ? 1 : 0;
    if (start == value.size() || value.size() > 12)
        return VT_BSTR;
    for (size_t i = start; i < value.size(); ++i) {
        if (value[i] < '0' || value[i] > '9')
            return VT_BSTR;
    }
    long long number = std::strtoll(value.c_str(), nullptr, 10);
    return (number >= -2147483648LL && number <= 4294967295LL) ? VT_I4 : VT_BSTR;
}

bool CheckExplainedType(const ExplainRequest& request, std::string& reason)
{
    if (!request.typeGiven || !IsNumericType(ScalarTypeOf(request)))
        return true;
    VARIANT value;
    if (ConvertValue(request.value, ScalarTypeOf(request), value))
        return true;
    reason = LoadText(IDS_REPORT_NOT_OF_TYPE) + request.value;
    return false;
}

std::string ExplainValue(const ExplainRequest& request)
{
    VARIANT value;
    if (request.typeGiven && IsNumericType(ScalarTypeOf(request)) &&
        ConvertValue(request.value, ScalarTypeOf(request), value)) {
        std::string text;
        RenderPropertyValue(value, text, request.classId, request.propertyName);
        return text;
    }
    VARTYPE type = request.typeGiven ? request.type : DefaultValueType(request.value);
    return DecodePropertyValue(request.classId, static_cast<VARTYPE>(type & VT_TYPEMASK),
                               request.propertyName, request.value);
}
