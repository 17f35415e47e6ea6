// The standard check: reads the 28 categories of the catalog one after the other from the
// target computer into their stores, keeping the progress line current.
#pragma once
#include <string>

// Outcome of RunStandardSurvey.
inline constexpr int kStandardSurveyDone = 0;     // every category was read (or a stop ended it)
inline constexpr int kStandardSurveyFailed = -1;  // a category failed; its message was shown

// Runs one standard check against host (empty: the local computer) on the calling thread,
// which has COM initialised. Shows the error text of a failing category through the
// survey reporter and then stops; the status text is empty on return.
int RunStandardSurvey(const std::string& host);

// Deletes all rows of the 28 category stores, in store order, and tells the reporter
// (the category tree's root reads "[Resources]" again).
void ClearStandardStores();

// The hotfix rows the check leaves out: "File 1" in the first column, any case.
inline constexpr char kHotfixPlaceholderId[] = "File 1";
