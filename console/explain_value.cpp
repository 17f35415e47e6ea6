#include "console/explain_value.h"

#include <cerrno>
#include <cstdlib>

#include "console/class_argument.h"
#include "render/decode.h"
#include "resources/resource.h"
#include "resources/text.h"

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

std::string ExplainValue(const ExplainRequest& request)
{
    VARTYPE type = request.typeGiven ? request.type : DefaultValueType(request.value);
    return DecodePropertyValue(request.classId, static_cast<VARTYPE>(type & VT_TYPEMASK),
                               request.propertyName, request.value);
}
