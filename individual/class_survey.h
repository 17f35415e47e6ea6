// The individual check: reads every object of one catalog class from the target computer
// and hands each non-empty property value to the reporter as a row of object number,
// property name, type and value.
#pragma once
#include <string>

#include "engine/check_context.h"

// Outcome of RunClassSurvey.
enum class ClassOutcome {
    Done,         // rows were handed over (possibly none: every property of every object was empty)
    NoData,       // no object read; "Data is not exist." shown
    Declined,     // stopped; the user chose not to see the data
    Failed,       // connection or query failed; message shown
    Incomplete,   // the reading broke off; the rows read were handed over and the reporter told
    Stopped,      // stopped before any object was read: nothing to show, and no "no data" either
};

struct ClassQueryEntries;

// Runs one individual check of classId on the calling thread, which has COM initialised.
// Messages and rows go to the check's reporter; its progress line is empty on return.
// `keep`, when given, receives the values read with their raw values (for the store).
ClassOutcome RunClassSurvey(CheckContext& check, int classId, ClassQueryEntries* keep = nullptr);
