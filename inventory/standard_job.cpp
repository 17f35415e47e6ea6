#include "inventory/standard_job.h"

#include <memory>

#include "standard/standard_survey.h"

ComputerJob StandardJob(StandardDelivery deliver)
{
    return [deliver = std::move(deliver)](CheckContext& check, ComputerSummary& summary) {
        auto stores = std::make_unique<StandardStores>();
        stores->KeepRawValues(true);
        const StandardOutcome outcome = RunStandardSurvey(check, *stores);
        const ComputerResult result = ResultOfSurvey(check, outcome == StandardOutcome::Failed,
                                                     outcome == StandardOutcome::Incomplete, summary);
        if (!HasData(result))
            return result;
        SummarizeStandardStores(*stores, summary);
        return deliver ? deliver(summary, result, *stores) : result;
    };
}
