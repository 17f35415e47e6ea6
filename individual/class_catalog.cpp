// Operations over the WMI class catalog.
#include "individual/class_catalog.h"

#include "resources/text.h"

const ClassCatalogEntry* FindClass(int classId)
{
    if (classId < kFirstClassId || classId > kLastClassId)
        return nullptr;
    return &kClassCatalog[classId - kFirstClassId];
}

std::string ClassQueryText(const ClassCatalogEntry& entry)
{
    return std::string("Select * from ") + entry.className;
}

int GetClassQuery(int classId, std::string& query, const wchar_t* const*& propertyNames)
{
    const ClassCatalogEntry* entry = FindClass(classId);
    if (!entry)
        return -1;
    query = ClassQueryText(*entry);
    propertyNames = entry->propertyNames;
    return 0;
}

std::string LoadClassDescription(int classId)
{
    const ClassCatalogEntry* entry = FindClass(classId);
    return entry ? LoadText(entry->descriptionStringId) : std::string();
}

std::string ClassDisplayText(int classId)
{
    const ClassCatalogEntry* entry = FindClass(classId);
    return entry ? LoadText(entry->displayStringId) : std::string();
}
