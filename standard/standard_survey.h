// The standard check: reads the 28 categories of the catalog one after the other from the
// target computer into their stores, keeping the progress line current.
#pragma once
#include <atomic>
#include <string>

#include "engine/check_context.h"
#include "standard/category_store.h"

// Outcome of RunStandardSurvey.
enum class StandardOutcome {
    Done,         // every category was read (or a stop ended it)
    Failed,       // a category failed; its message was shown
    Incomplete,   // every category was read, but the reading of some broke off (stores marked)
};

// Runs one standard check into `stores` on the calling thread, which has COM initialised.
// Shows the error text of a failing category through the check's reporter and then stops;
// the check's progress line is empty on return. A stop marks the category it cut short
// and every later one incomplete. `categoriesRead`, when given, counts the categories
// finished (for a progress bar on another thread).
StandardOutcome RunStandardSurvey(CheckContext& check, StandardStores& stores, std::atomic<int>* categoriesRead = nullptr);

// Deletes all rows of the 28 category stores, in store order, and tells the check's
// reporter (the category tree's root reads "[Resources]" again).
void ClearStandardStores(const CheckContext& check, StandardStores& stores);

// The hotfix rows the check leaves out: "File 1" in the first column, any case.
inline constexpr char kHotfixPlaceholderId[] = "File 1";
