// The individual check of one class as a table, for the machine-readable export: one row
// per object, one column per property of the class's catalog list (headed by the property
// name), every cell with its text and its raw value. Empty values stay as empty cells.
#pragma once
#include "engine/check_context.h"
#include "individual/class_survey.h"
#include "standard/category_store.h"

// Runs the check into `table` (its columns replaced) on the calling thread, which has COM
// initialised. Returns what RunClassSurvey returns: Done, NoData (no object), Failed
// (message shown) or Incomplete (the reporter told). The check's progress line is empty on
// return.
ClassOutcome RunClassTableSurvey(CheckContext& check, int classId, CategoryStore& table);
