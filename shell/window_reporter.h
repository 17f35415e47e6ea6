// How a running check talks to the windows: message boxes owned by the main frame, the
// category tree's root, the individual result list. Called on the worker thread; the
// list and the tree are reached through messages, which their own thread serves.
#pragma once
#include "engine/survey_reporter.h"

class WindowReporter : public SurveyReporter {
public:
    int ShowMessage(const std::string& text, UINT flags) override;
    void StandardStoresCleared() override;
    std::string SelectedClassText() override;
    void AddClassRows(std::vector<ClassResultRow> rows) override;
    void SelectFirstClassRow() override;
};
