// A survey reporter for tests: records every message, row and call of a check, and
// answers the Yes/No question as told.
#pragma once
#include <string>
#include <vector>

#include "engine/check_context.h"
#include "engine/survey_reporter.h"

struct ShownMessage {
    std::string text;
    UINT flags = 0;
};

class RecordingReporter : public SurveyReporter {
public:
    int ShowMessage(const std::string& text, UINT flags) override
    {
        messages.push_back({text, flags});
        return (flags & MB_TYPEMASK) == MB_YESNO ? answer : IDOK;
    }
    void StandardStoresCleared() override { ++storesCleared; }
    std::string SelectedClassText() override { return selectedClassText; }
    void AddClassRows(std::vector<ClassResultRow> added) override
    {
        if (progress)
            statusWhileAdding = progress->Get();
        for (ClassResultRow& row : added)
            rows.push_back(std::move(row));
        ++addCalls;
    }
    void SelectFirstClassRow() override { selectedAfterRows = static_cast<int>(rows.size()); }

    int answer = IDYES;                 // to a Yes/No question
    std::string selectedClassText = "Win32_Processor";
    std::vector<ShownMessage> messages;
    int storesCleared = 0;
    std::vector<ClassResultRow> rows;
    int addCalls = 0;
    int selectedAfterRows = -1;         // row count when the first row was selected; -1: never
    std::string statusWhileAdding;
    const SharedText* progress = nullptr;   // the check's progress line, read while adding
};
