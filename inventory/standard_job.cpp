#include "inventory/standard_job.h"

#include <memory>

#include "standard/standard_survey.h"

ComputerJob StandardJob(StandardDelivery deliver)
{
    return [deliver = std::move(deliver)](CheckContext& check, ComputerSummary& summary) {
        auto stores = std::make_unique<StandardStores>();
        stores->KeepRawValues(true);
        const int outcome = RunStandardSurvey(check, *stores);
        if (outcome == kStandardSurveyFailed)
            return ResultOfFailedCheck(check, summary);
        if (check.IsStopRequested())
            return ComputerResult::Stopped;
        ComputerResult result = ComputerResult::Ok;
        if (outcome == kStandardSurveyIncomplete) {
            const CheckProblemNote problem = check.Problem();
            summary.code = problem.code;
            summary.SetMessage(problem.message);
            result = ComputerResult::Incomplete;
        }
        SummarizeStandardStores(*stores, summary);
        return deliver ? deliver(summary, result, *stores) : result;
    };
}
