#include "shell/window_reporter.h"

#include "individual/form_individual.h"
#include "standard/form_standard.h"
#include "ui/message_box.h"

int WindowReporter::ShowMessage(const std::string& text, UINT flags)
{
    return ui::ShowMessageBox(owner_, text, flags);
}

void WindowReporter::StandardStoresCleared()
{
    if (standardForm_)
        SendMessageW(standardForm_, WM_STANDARD_STORES_CLEARED, 0, 0);
}

std::string WindowReporter::SelectedClassText()
{
    std::string text;
    if (individualForm_)
        SendMessageW(individualForm_, WM_GET_CLASS_TEXT, reinterpret_cast<WPARAM>(&text), 0);
    return text;
}

void WindowReporter::AddClassRows(std::vector<ClassResultRow> rows)
{
    if (individualForm_)
        SendMessageW(individualForm_, WM_CLASS_ROWS_READY, reinterpret_cast<WPARAM>(&rows), 0);
}

void WindowReporter::SelectFirstClassRow()
{
    if (individualForm_)
        SendMessageW(individualForm_, WM_SELECT_FIRST_CLASS_ROW, 0, 0);
}

void WindowReporter::ReadingIncomplete(const std::string& text)
{
    std::lock_guard<std::mutex> hold(lock_);
    incomplete_.push_back(text);
}

std::vector<std::string> WindowReporter::TakeIncompleteReadings()
{
    std::lock_guard<std::mutex> hold(lock_);
    return std::exchange(incomplete_, {});
}
