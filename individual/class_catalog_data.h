#pragma once
// Constant data of the WMI class catalog: one entry per class identifier, generated
// from individual/classes.tsv (kFirstClassId..kLastClassId come with the identifiers).
#include "base/class_ids.h"

struct ClassCatalogEntry {
    int classId;
    int displayStringId;
    int descriptionStringId;
    const char* className;                 // WMI class name as queried
    const wchar_t* const* propertyNames;   // read in this order; ends with nullptr
    int propertyCount;
};
extern const ClassCatalogEntry kClassCatalog[kClassCount];
