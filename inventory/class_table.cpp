#include "inventory/class_table.h"

#include "base/class_ids.h"
#include "base/narrow.h"
#include "engine/computer_identity.h"
#include "engine/domain_clause.h"
#include "engine/query_executor.h"
#include "engine/survey_reporter.h"
#include "individual/class_catalog.h"
#include "individual/class_survey.h"
#include "resources/resource.h"
#include "resources/text.h"

namespace {

ClassOutcome Conclude(CheckContext& check, QueryOutcome result, const std::string& errorText, long objectCount)
{
    if (result == QueryOutcome::Failed) {
        check.ShowMessage(errorText, MB_ICONEXCLAMATION);
        return ClassOutcome::Failed;
    }
    if (result == QueryOutcome::Incomplete) {
        if (SurveyReporter* reporter = check.Reporter())
            reporter->ReadingIncomplete(errorText);
        return ClassOutcome::Incomplete;
    }
    if (objectCount == 0 && !check.IsStopRequested()) {
        check.ShowMessage(LoadText(IDS_NO_DATA), MB_ICONEXCLAMATION);
        return ClassOutcome::NoData;
    }
    return ClassOutcome::Done;
}

}  // namespace

ClassOutcome RunClassTableSurvey(CheckContext& check, int classId, CategoryStore& table)
{
    table.Reset();
    std::string query;
    const wchar_t* const* propertyNames = nullptr;
    if (GetClassQuery(classId, query, propertyNames) != 0)
        return ClassOutcome::Failed;
    for (int index = 0; propertyNames[index]; ++index)
        table.AddColumn(ToNarrow(propertyNames[index]), false, 100);
    table.KeepRawValues(true);
    check.Progress().Set(LoadText(IDS_CHECKING_PREFIX) + " " + ClassDisplayText(classId));
    if (TakesDomainClause(classId))
        query += BuildDomainClause(check);
    std::string errorText;
    long objectCount = 0;
    const QueryOutcome result = ExecuteStandardQuery(check, classId, query, propertyNames, table, errorText, objectCount);
    if (result != QueryOutcome::Failed)
        ReadComputerIdentity(check);
    const ClassOutcome outcome = Conclude(check, result, errorText, objectCount);
    check.Progress().Clear();
    return outcome;
}
