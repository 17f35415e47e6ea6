// How a check talks to whoever shows its results: the windows (message boxes, the result
// list, the category tree) or the console report tool (standard error, its own table).
// A check's context names its reporter; called on the worker thread, in the order of events.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "base/message_sink.h"

// One row of the individual check's result list.
struct ClassResultRow {
    unsigned objectNumber = 0;   // 1-based WMI object number (column "Group")
    std::string name;            // property name
    std::string typeText;        // VarTypeText of the value's type
    std::string value;           // rendered value
    LPARAM itemData = 0;         // index of the entry the row was made from
};

class SurveyReporter : public MessageSink {
public:

    // A query of the check broke off part way: what was read is kept, `text` names the
    // class and the error. Nothing of it may pass silently.
    virtual void ReadingIncomplete(const std::string& text) { (void)text; }

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
