// How a running check talks to the windows: message boxes owned by the main frame, the
// category tree's root, the individual result list. Called on the worker thread; the
// list and the tree are reached through messages, which their own thread serves.
#pragma once
#include <windows.h>

#include <mutex>
#include <string>
#include <vector>

#include "engine/survey_reporter.h"

class WindowReporter : public SurveyReporter {
public:
    // The windows it talks to; set before the first check (null: that part is not shown).
    void SetOwner(HWND frame) { owner_ = frame; }
    void SetForms(HWND standardForm, HWND individualForm)
    {
        standardForm_ = standardForm;
        individualForm_ = individualForm;
    }

    int ShowMessage(const std::string& text, UINT flags) override;
    void StandardStoresCleared() override;
    std::string SelectedClassText() override;
    void AddClassRows(std::vector<ClassResultRow> rows) override;
    void SelectFirstClassRow() override;
    void ReadingIncomplete(const std::string& text) override;

    // What ReadingIncomplete was told since the last call, emptied.
    std::vector<std::string> TakeIncompleteReadings();

private:
    std::mutex lock_;
    std::vector<std::string> incomplete_;
    HWND owner_ = nullptr;
    HWND standardForm_ = nullptr;
    HWND individualForm_ = nullptr;
};
