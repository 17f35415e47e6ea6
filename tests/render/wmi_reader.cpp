#include "tests/render/wmi_reader.h"

#include <cstdio>

#include "base/narrow.h"
#include "tests/support/wmi_reader.h"

namespace {

std::string ScalarText(const VARIANT& value)
{
    char buffer[64] = {};
    switch (value.vt) {
    case VT_BSTR: return value.bstrVal ? ToNarrow(value.bstrVal) : std::string();
    case VT_I2: std::snprintf(buffer, sizeof buffer, "%hd", value.iVal); break;
    case VT_I4: std::snprintf(buffer, sizeof buffer, "%ld", value.lVal); break;
    case VT_UI1: std::snprintf(buffer, sizeof buffer, "%d", value.bVal); break;
    case VT_UI2: std::snprintf(buffer, sizeof buffer, "%hu", value.uiVal); break;
    case VT_UI4: std::snprintf(buffer, sizeof buffer, "%lu", value.ulVal); break;
    case VT_BOOL: return value.boolVal == VARIANT_TRUE ? "True" : "False";
    default: break;
    }
    return buffer;
}

}  // namespace

std::vector<WmiValue> WmiReader::Read(const wchar_t* className, const wchar_t* property)
{
    std::vector<WmiValue> values;
    std::wstring query = std::wstring(L"SELECT ") + property + L" FROM " + className;
    for (const RawWmiObject& object : ReadLocalWmi(query, {property})) {
        auto found = object.find(property);
        if (found == object.end())
            continue;
        const VARIANT& value = found->second.Get();
        if (value.vt != VT_EMPTY && value.vt != VT_NULL)
            values.push_back({value.vt, ScalarText(value)});
    }
    return values;
}
