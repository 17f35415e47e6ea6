// The report tool's side of a check: messages go to standard error, the individual
// check's rows into a table of its own (columns Group, Name, Type, Value) that is written
// as CSV afterwards.
#pragma once
#include <string>
#include <vector>

#include "console/progress_lines.h"
#include "engine/survey_reporter.h"
#include "listtools/result_model.h"

class ConsoleReporter : public SurveyReporter {
public:
    // `classText`: the text under which the checked class is named in the progress line.
    ConsoleReporter(ErrorStream& errors, std::string classText);

    // Writes the text to standard error. Nobody is there to answer a question: a Yes/No
    // question is written too and answered Yes (the data read so far are shown).
    int ShowMessage(const std::string& text, UINT flags) override;
    std::string SelectedClassText() override { return classText_; }
    void AddClassRows(std::vector<ClassResultRow> rows) override;
    // Writes "Warning: " and the text to standard error.
    void ReadingIncomplete(const std::string& text) override;

    const ResultModel& ClassRows() const { return classRows_; }

private:
    ErrorStream& errors_;
    std::string classText_;
    ResultModel classRows_;
};
