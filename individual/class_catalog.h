// Operations over the WMI class catalog (class identifiers 1000..1301): the query and
// property list of a class, its display text and its description.
#pragma once
#include <string>

#include "individual/class_catalog_data.h"

// The entry of a class identifier; nullptr for any value outside 1000..1301.
const ClassCatalogEntry* FindClass(int classId);

// "Select * from " followed by the WMI class name of the entry.
std::string ClassQueryText(const ClassCatalogEntry& entry);

// For a catalog identifier: replaces `query` with the class's query, points
// `propertyNames` at its property list (static data, ends with nullptr) and returns 0.
// For any other value returns -1 and leaves both outputs as they were.
int GetClassQuery(int classId, std::string& query, const wchar_t* const*& propertyNames);

// The description of the class in the current text language; empty outside the catalog.
std::string LoadClassDescription(int classId);

// The text under which the user sees the class (its display string); empty outside
// the catalog.
std::string ClassDisplayText(int classId);
