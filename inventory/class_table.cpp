#include "inventory/class_table.h"

#include "base/class_ids.h"
#include "base/narrow.h"
#include "engine/domain_clause.h"
#include "engine/query_executor.h"
#include "engine/survey_reporter.h"
#include "individual/class_catalog.h"
#include "individual/class_survey.h"
#include "resources/resource.h"
#include "resources/text.h"

namespace {

bool TakesDomainClause(int classId)
{
    return classId == ClassId::Win32_UserAccount || classId == ClassId::Win32_Group;
}

int Conclude(CheckContext& check, int result, const std::string& errorText, long objectCount)
{
    if (result < 0) {
        check.ShowMessage(errorText, MB_ICONEXCLAMATION);
        return kClassSurveyFailed;
    }
    if (result == kQueryIncomplete) {
        if (SurveyReporter* reporter = check.Reporter())
            reporter->ReadingIncomplete(errorText);
        return kClassSurveyIncomplete;
    }
    if (objectCount == 0 && !check.IsStopRequested()) {
        check.ShowMessage(LoadText(IDS_NO_DATA), MB_ICONEXCLAMATION);
        return kClassSurveyNoData;
    }
    return kClassSurveyDone;
}

}  // namespace

int RunClassTableSurvey(CheckContext& check, int classId, CategoryStore& table)
{
    table.Reset();
    std::string query;
    const wchar_t* const* propertyNames = nullptr;
    if (GetClassQuery(classId, query, propertyNames) != 0)
        return kClassSurveyFailed;
    for (int index = 0; propertyNames[index]; ++index)
        table.AddColumn(ToNarrow(propertyNames[index]), false, 100);
    table.KeepRawValues(true);
    check.Progress().Set(LoadText(IDS_CHECKING_PREFIX) + " " + ClassDisplayText(classId));
    if (TakesDomainClause(classId))
        query += BuildDomainClause(check.Connector(), check.Host());
    std::string errorText;
    long objectCount = 0;
    int result = ExecuteStandardQuery(check, classId, query, propertyNames, table, errorText, objectCount);
    int outcome = Conclude(check, result, errorText, objectCount);
    check.Progress().Clear();
    return outcome;
}
