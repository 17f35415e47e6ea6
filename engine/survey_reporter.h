// How a check talks to whoever shows its results: the windows (message boxes, the result
// list) or the console report tool (standard error, its own table). Set once before a
// check starts; called on the worker thread.
#pragma once
#include <windows.h>

#include <string>

class SurveyReporter {
public:
    virtual ~SurveyReporter() = default;
    // Shows `text` with the MB_ICON*/MB_YESNO `flags`; returns the button chosen (IDOK,
    // IDYES, IDNO).
    virtual int ShowMessage(const std::string& text, UINT flags) = 0;
};

void SetSurveyReporter(SurveyReporter* reporter);
SurveyReporter* GetSurveyReporter();

// Shows a message through the reporter, or in a plain message box when none is set.
int ReportMessage(const std::string& text, UINT flags);
