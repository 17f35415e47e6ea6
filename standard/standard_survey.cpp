#include "standard/standard_survey.h"

#include <windows.h>

#include <optional>

#include "base/class_ids.h"
#include "engine/domain_clause.h"
#include "engine/query_executor.h"
#include "engine/survey_reporter.h"
#include "base/text_util.h"
#include "resources/resource.h"
#include "resources/text.h"
#include "standard/category_catalog.h"
#include "standard/category_store.h"

namespace {

// Walks from the last row to the first so that the remaining indexes stay valid.
void RemovePlaceholderHotfixRows(CategoryStore& store)
{
    for (int row = store.RowCount() - 1; row >= 0; --row) {
        if (EqualsNoCase(store.Cell(row, 0), kHotfixPlaceholderId))
            store.DeleteRow(row);
    }
}

// Reads one category into its store: Read, Incomplete (store marked, reporter told) or
// Failed (message shown).
QueryOutcome ReadCategory(CheckContext& check, StandardStores& stores, const StandardCategory& category,
                          const std::string& prefix, const std::string& domainClause)
{
    check.Progress().Set(prefix + LoadText(category.labelStringId));
    std::string query = category.query;
    if (TakesDomainClause(category.classId))
        query += domainClause;
    std::string errorText;
    long objectCount = 0;
    const QueryOutcome result = ExecuteStandardQuery(check, category.classId, query, category.propertyNames,
                                                     *stores.Store(category.storeIndex), errorText, objectCount);
    if (result == QueryOutcome::Failed)
        check.ShowMessage(errorText, MB_ICONEXCLAMATION);
    else
        stores.MarkRead(category.storeIndex);
    if (result == QueryOutcome::Incomplete) {
        stores.MarkIncomplete(category.storeIndex);
        if (SurveyReporter* reporter = check.Reporter())
            reporter->ReadingIncomplete(errorText);
    }
    return result;
}

}  // namespace

void ClearStandardStores(const CheckContext& check, StandardStores& stores)
{
    stores.ClearAllRows();
    if (SurveyReporter* reporter = check.Reporter())
        reporter->StandardStoresCleared();
}

StandardOutcome RunStandardSurvey(CheckContext& check, StandardStores& stores, std::atomic<int>* categoriesRead)
{
    ClearStandardStores(check, stores);
    stores.MarkAllNotRead();
    const std::string prefix = LoadText(IDS_CHECKING_PREFIX);
    std::optional<std::string> domainClause;   // looked up for the first category that takes it
    bool failed = false;
    for (const StandardCategory& category : kStandardCategories) {
        if (check.IsStopRequested())
            break;   // this category and the later ones stay not read
        if (TakesDomainClause(category.classId) && !domainClause)
            domainClause = BuildDomainClause(check);
        if (ReadCategory(check, stores, category, prefix, domainClause.value_or("")) == QueryOutcome::Failed) {
            failed = true;
            break;
        }
        // A category the stop cut short must not pass for complete.
        if (check.IsStopRequested())
            stores.MarkIncomplete(category.storeIndex);
        if (categoriesRead)
            ++*categoriesRead;
    }
    if (!failed)
        RemovePlaceholderHotfixRows(*stores.Store(CategoryByClass(ClassId::Win32_QuickFixEngineering)->storeIndex));
    check.Progress().Clear();
    if (failed)
        return StandardOutcome::Failed;
    if (check.IsStopRequested()) {
        stores.MarkStopped();
        return StandardOutcome::Done;   // the marks tell what the stop left out
    }
    return stores.AnyIncomplete() ? StandardOutcome::Incomplete : StandardOutcome::Done;
}
