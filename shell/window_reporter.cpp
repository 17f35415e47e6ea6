#include "shell/window_reporter.h"

#include "standard/form_standard.h"

void WindowReporter::BeginCheck(std::string classText)
{
    std::lock_guard<std::mutex> hold(lock_);
    classText_ = std::move(classText);
    messages_.clear();
    questions_.clear();
    rows_.clear();
    selectFirst_ = false;
}

int WindowReporter::ShowMessage(const std::string& text, UINT flags)
{
    std::lock_guard<std::mutex> hold(lock_);
    if ((flags & MB_TYPEMASK) == MB_YESNO) {
        questions_.push_back(text);
        return IDYES;   // the rows are kept; the window asks before it shows them
    }
    messages_.push_back({text, flags});
    return IDOK;
}

void WindowReporter::StandardStoresCleared()
{
    if (standardForm_)
        PostMessageW(standardForm_, WM_STANDARD_STORES_CLEARED, 0, 0);
}

std::string WindowReporter::SelectedClassText()
{
    std::lock_guard<std::mutex> hold(lock_);
    return classText_;
}

void WindowReporter::AddClassRows(std::vector<ClassResultRow> rows)
{
    std::lock_guard<std::mutex> hold(lock_);
    if (rows_.empty())
        rows_ = std::move(rows);
    else
        rows_.insert(rows_.end(), std::make_move_iterator(rows.begin()), std::make_move_iterator(rows.end()));
}

void WindowReporter::SelectFirstClassRow()
{
    std::lock_guard<std::mutex> hold(lock_);
    selectFirst_ = true;
}

void WindowReporter::ReadingIncomplete(const std::string& text)
{
    std::lock_guard<std::mutex> hold(lock_);
    incomplete_.push_back(text);
}

std::vector<WindowReporter::Message> WindowReporter::TakeMessages()
{
    std::lock_guard<std::mutex> hold(lock_);
    return std::exchange(messages_, {});
}

std::vector<std::string> WindowReporter::TakeQuestions()
{
    std::lock_guard<std::mutex> hold(lock_);
    return std::exchange(questions_, {});
}

std::vector<ClassResultRow> WindowReporter::TakeClassRows(bool& selectFirst)
{
    std::lock_guard<std::mutex> hold(lock_);
    selectFirst = std::exchange(selectFirst_, false);
    return std::exchange(rows_, {});
}

std::vector<std::string> WindowReporter::TakeIncompleteReadings()
{
    std::lock_guard<std::mutex> hold(lock_);
    return std::exchange(incomplete_, {});
}
