#pragma once
// Constant data of the WMI class catalog: one entry per class identifier 1000..1301.
struct ClassCatalogEntry {
    int classId;
    int displayStringId;
    int descriptionStringId;
    const char* className;                 // WMI class name as queried
    const wchar_t* const* propertyNames;   // read in this order; ends with nullptr
    int propertyCount;
};
inline constexpr int kFirstClassId = 1000;
inline constexpr int kLastClassId = 1301;
inline constexpr int kClassCount = 302;
extern const ClassCatalogEntry kClassCatalog[kClassCount];
