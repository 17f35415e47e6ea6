#include "console/class_argument.h"

#include <cstdlib>

#include "individual/class_catalog.h"
#include "base/text_util.h"
#include "base/narrow.h"
#include "resources/resource.h"
#include "resources/text.h"

namespace {

bool IsDecimalNumber(const std::string& text)
{
    size_t start = (!text.empty() && (text[0] == '+' || text[0] == '-')) ? 1 : 0;
    if (start == text.size())
        return false;
    for (size_t i = start; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9')
            return false;
    }
    return true;
}

int ClassIdFromNumber(const std::string& text, std::string& reason)
{
    // More digits than any identifier has cannot be in range (and must not overflow).
    long number = text.size() <= 6 ? std::strtol(text.c_str(), nullptr, 10) : 0;
    if (number < kFirstClassId || number > kLastClassId) {
        reason = LoadText(IDS_REPORT_CLASS_ID_RANGE) + text;
        return 0;
    }
    return static_cast<int>(number);
}

}  // namespace

int ClassIdFromArgument(const std::string& text, std::string& reason)
{
    if (IsDecimalNumber(text))
        return ClassIdFromNumber(text, reason);
    for (const ClassCatalogEntry& entry : kClassCatalog) {
        if (EqualsNoCase(entry.className, text))
            return entry.classId;
    }
    reason = LoadText(IDS_REPORT_UNKNOWN_CLASS) + text;
    return 0;
}

const wchar_t* FindClassProperty(int classId, const std::string& name)
{
    const ClassCatalogEntry* entry = FindClass(classId);
    if (!entry)
        return nullptr;
    for (const wchar_t* const* property = entry->propertyNames; *property; ++property) {
        if (EqualsNoCase(ToNarrow(*property), name))
            return *property;
    }
    return nullptr;
}
