// A live check's results as the store keeps them: the standard check's category stores, or
// the individual check's values, each with their raw values, and the name under which the
// store files the computer.
#pragma once
#include <string>

#include "engine/query_executor.h"
#include "inventory/computer_summary.h"
#include "standard/category_store.h"
#include "store/stored_check.h"

// The 28 categories in reading order. The stores must have kept their raw values. Of a
// check that failed, the categories from the one that failed on were not read; a reading
// that broke off or was stopped is incomplete (the stores' marks). The computer-system
// category, when read, names the computer (IdentifyFromParts).
void CaptureStandardStores(const StandardStores& stores, int categoriesRead, bool failed, StoredCheck& check);

// The values of an individual check of `classId` (read with keepRaw) as the class's part;
// each object's properties that were empty stay null.
void CaptureClassEntries(int classId, const ClassQueryEntries& entries, PartState state, StoredCheck& check);

// A class read as a table (one row per object, one column per property of the catalog).
void CaptureClassTable(int classId, const CategoryStore& table, PartState state, StoredCheck& check);

// A check of `target` (empty: this computer) as the store will keep it, its results still
// to come: the computer under its real name, the account it ran as (empty: the user's
// own), the program that ran it ("mirel", "mirelrep") and the texts' language.
StoredCheck NewStoredCheckOf(const std::string& target, const CheckTime& checkedAt, const std::string& kind,
                             const std::string& account, const char* source);

// The computer's own name and domain as the class check read them (ReadComputerIdentity),
// when it did.
void NoteCheckedComputer(const CheckContext& context, StoredCheckHeader& header);

// How a check that ran ended, as the store keeps it.
void NoteCheckResult(StoredCheckHeader& header, ComputerResult result, const ComputerSummary& summary, bool complete);
