// How a check talks to whoever shows its results: the windows (message boxes, the result
// list, the category tree) or the console report tool (standard error, its own table).
// Set once before a check starts; called on the worker thread, in the order of events.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

// One row of the individual check's result list.
struct ClassResultRow {
    unsigned objectNumber = 0;   // 1-based WMI object number (column "Group")
    std::string name;            // property name
    std::string typeText;        // VarTypeText of the value's type
    std::string value;           // rendered value
    LPARAM itemData = 0;         // index of the entry the row was made from
};

class SurveyReporter {
public:
    virtual ~SurveyReporter() = default;

    // Shows `text` with the MB_ICON*/MB_YESNO `flags`; returns the button chosen (IDOK,
    // IDYES, IDNO).
    virtual int ShowMessage(const std::string& text, UINT flags) = 0;

    // The standard check emptied every category store: the category tree's root reads
    // "[Resources]" again.
    virtual void StandardStoresCleared() {}

    // The display text of the class being checked (the selected Level 3 entry).
    virtual std::string SelectedClassText() { return {}; }

    // Appends rows to the individual result list (it was emptied before the check).
    virtual void AddClassRows(std::vector<ClassResultRow> rows) { (void)rows; }

    // Selects and focuses the first row of the individual result list and scrolls it into
    // view.
    virtual void SelectFirstClassRow() {}
};

void SetSurveyReporter(SurveyReporter* reporter);
SurveyReporter* GetSurveyReporter();

// Shows a message through the reporter, or in a plain message box when none is set.
int ReportMessage(const std::string& text, UINT flags);
