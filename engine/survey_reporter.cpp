#include "engine/survey_reporter.h"

#include <atomic>

#include "resources/resource.h"
#include "resources/text.h"

namespace {
std::atomic<SurveyReporter*> g_reporter{nullptr};
}

void SetSurveyReporter(SurveyReporter* reporter)
{
    g_reporter = reporter;
}

SurveyReporter* GetSurveyReporter()
{
    return g_reporter.load();
}

int ReportMessage(const std::string& text, UINT flags)
{
    if (SurveyReporter* reporter = g_reporter.load())
        return reporter->ShowMessage(text, flags);
    return MessageBoxA(nullptr, text.c_str(), LoadText(IDS_APP_TITLE).c_str(), flags);
}
