// How a running check talks to the windows. Called on the worker thread, it never waits
// for the window's thread and never shows anything itself: messages, the individual
// check's rows and the question whether to see the rows of a stopped check are kept here,
// and the window takes them when the check has ended (WM_CHECK_COMPLETE); the category
// tree's root is told by a posted message. The window asks the user, never the worker.
#pragma once
#include <windows.h>

#include <mutex>
#include <string>
#include <vector>

#include "engine/survey_reporter.h"

class WindowReporter : public SurveyReporter {
public:
    // The standard form, told when its stores were emptied (null: not told).
    void SetStandardForm(HWND standardForm) { standardForm_ = standardForm; }
    // Before a check starts: the class text its progress line shows.
    void BeginCheck(std::string classText);

    // A question (Yes/No) is answered Yes and kept for the window to ask; any other
    // message is kept to be shown.
    int ShowMessage(const std::string& text, UINT flags) override;
    void StandardStoresCleared() override;
    std::string SelectedClassText() override;
    void AddClassRows(std::vector<ClassResultRow> rows) override;
    void SelectFirstClassRow() override;
    void ReadingIncomplete(const std::string& text) override;

    struct Message {
        std::string text;
        UINT flags = 0;
    };
    // What the check left for the window, each emptied by its call.
    std::vector<Message> TakeMessages();
    std::vector<std::string> TakeQuestions();
    std::vector<ClassResultRow> TakeClassRows(bool& selectFirst);
    std::vector<std::string> TakeIncompleteReadings();

private:
    std::mutex lock_;
    std::vector<std::string> incomplete_;
    std::vector<Message> messages_;
    std::vector<std::string> questions_;
    std::vector<ClassResultRow> rows_;
    bool selectFirst_ = false;
    std::string classText_;
    HWND standardForm_ = nullptr;
};
