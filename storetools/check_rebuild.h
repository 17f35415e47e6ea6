// A stored check made into what the live check made, so that it is shown and written by
// the same code: the standard check's 28 category stores, or the individual check's class
// as a table or as the rows of its result list.
#pragma once
#include <vector>

#include "engine/survey_reporter.h"
#include "standard/category_store.h"
#include "store/stored_check.h"

// The stores of a standard check, raw values kept, rows in reading order, categories that
// were not read completely marked; parts are matched to categories by class, properties to
// columns by name.
void RebuildStandardStores(const StoredCheck& check, StandardStores& stores);

// The class of an individual check's stored part; 0 when the catalog does not know it.
int ClassIdOfPart(const StoredPart& part);

// The part as a table: one column per property (headed by its name), one row per object.
void RebuildClassTable(const StoredPart& part, CategoryStore& table);

// The part as the individual check's rows: per object, each property with a shown text,
// with its object number and type.
std::vector<ClassResultRow> RebuildClassRows(const StoredPart& part);

// The check read nothing of its computer: it was not found, did not answer, refused
// access or WMI failed there; its result and message are all it holds.
bool ReadNothing(const StoredCheckHeader& header);
