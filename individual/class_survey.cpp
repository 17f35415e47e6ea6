#include "individual/class_survey.h"

#include <windows.h>

#include <utility>
#include <vector>

#include "base/class_ids.h"
#include "engine/computer_identity.h"
#include "engine/domain_clause.h"
#include "engine/query_executor.h"
#include "engine/survey_reporter.h"
#include "individual/class_catalog.h"
#include "render/value_render.h"
#include "resources/resource.h"
#include "resources/text.h"

namespace {

const wchar_t* const kNoProperties[] = {nullptr};

// The text under which the class is shown: what the reporter's class list shows, or the
// catalog's display text when nobody shows one.
std::string ShownClassText(const CheckContext& check, int classId)
{
    SurveyReporter* reporter = check.Reporter();
    return reporter ? reporter->SelectedClassText() : ClassDisplayText(classId);
}

std::vector<ClassResultRow> MakeRows(const ClassQueryEntries& entries)
{
    std::vector<ClassResultRow> rows;
    rows.reserve(entries.Size());
    for (size_t i = 0; i < entries.Size(); ++i) {
        ClassResultRow row;
        row.objectNumber = entries.objectNumbers[i];
        row.name = entries.names[i];
        row.typeText = VarTypeText(static_cast<VARTYPE>(entries.types[i]));
        row.value = entries.values[i];
        row.itemData = static_cast<LPARAM>(i);
        rows.push_back(std::move(row));
    }
    return rows;
}

void ShowRows(CheckContext& check, const ClassQueryEntries& entries)
{
    check.Progress().Set(LoadText(IDS_PREPARING_DISPLAY));
    SurveyReporter* reporter = check.Reporter();
    if (!reporter || entries.Size() == 0)
        return;
    reporter->AddClassRows(MakeRows(entries));
    reporter->SelectFirstClassRow();
}

// Everything after the query: the messages of a failed, empty or stopped check, or the rows.
ClassOutcome Conclude(CheckContext& check, QueryOutcome queryResult, const std::string& errorText,
             long objectCount, const ClassQueryEntries& entries)
{
    if (queryResult == QueryOutcome::Failed) {
        check.ShowMessage(errorText, MB_ICONEXCLAMATION);
        return ClassOutcome::Failed;
    }
    if (objectCount == 0 && queryResult == QueryOutcome::Incomplete) {
        check.ShowMessage(errorText, MB_ICONEXCLAMATION);   // broke off before any object
        return ClassOutcome::Incomplete;
    }
    if (objectCount == 0 && check.IsStopRequested())
        return ClassOutcome::Stopped;   // never looked: no finding to tell
    if (objectCount == 0) {
        check.ShowMessage(LoadText(IDS_NO_DATA), MB_ICONEXCLAMATION);
        return ClassOutcome::NoData;
    }
    if (check.IsStopRequested() &&
        check.ShowMessage(LoadText(IDS_STOPPED_SHOW_DATA), MB_YESNO | MB_ICONINFORMATION) != IDYES)
        return ClassOutcome::Declined;
    ShowRows(check, entries);
    if (queryResult == QueryOutcome::Incomplete) {
        if (SurveyReporter* reporter = check.Reporter())
            reporter->ReadingIncomplete(errorText);
        return ClassOutcome::Incomplete;
    }
    return ClassOutcome::Done;
}

}  // namespace

ClassOutcome RunClassSurvey(CheckContext& check, int classId, ClassQueryEntries* keep)
{
    std::string query;
    const wchar_t* const* propertyNames = nullptr;
    if (GetClassQuery(classId, query, propertyNames) != 0)
        propertyNames = kNoProperties;

    check.Progress().Set(LoadText(IDS_CHECKING_PREFIX) + " " + ShownClassText(check, classId));
    if (TakesDomainClause(classId))
        query += BuildDomainClause(check);

    ClassQueryEntries entries;
    entries.keepRaw = keep != nullptr;
    std::string errorText;
    long objectCount = 0;
    const QueryOutcome result = ExecuteClassQuery(check, entries, classId, query, propertyNames, errorText,
                                                  objectCount);
    if (result != QueryOutcome::Failed)
        ReadComputerIdentity(check);
    const ClassOutcome outcome = Conclude(check, result, errorText, objectCount, entries);
    check.Progress().Clear();
    if (keep)
        *keep = std::move(entries);
    return outcome;
}
