#include "engine/check_context.h"

#include "base/narrow.h"
#include "engine/survey_reporter.h"
#include "resources/resource.h"
#include "resources/text.h"

void SharedText::Set(std::string text)
{
    std::lock_guard<std::mutex> guard(lock_);
    text_ = std::move(text);
}

std::string SharedText::Get() const
{
    std::lock_guard<std::mutex> guard(lock_);
    return text_;
}

CheckContext::CheckContext(std::string host, SurveyReporter* reporter, WmiConnector connector)
    : host_(std::move(host)), reporter_(reporter), connector_(std::move(connector))
{
}

void CheckContext::NoteProblem(CheckProblemNote note)
{
    std::lock_guard<std::mutex> guard(problemLock_);
    const CheckProblem kept = problem_.kind;
    if (kept == CheckProblem::None || (kept == CheckProblem::BrokeOff && note.kind != CheckProblem::BrokeOff))
        problem_ = std::move(note);
}

CheckProblemNote CheckContext::Problem() const
{
    std::lock_guard<std::mutex> guard(problemLock_);
    return problem_;
}

void CheckContext::RestoreProblem(CheckProblemNote note)
{
    std::lock_guard<std::mutex> guard(problemLock_);
    problem_ = std::move(note);
}

int CheckContext::ShowMessage(const std::string& text, UINT flags) const
{
    if (reporter_)
        return reporter_->ShowMessage(text, flags);
    return MessageBoxW(nullptr, ToWide(text).c_str(), LoadTextW(IDS_APP_TITLE).c_str(), flags);
}
