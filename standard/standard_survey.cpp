#include "standard/standard_survey.h"

#include <windows.h>

#include "engine/domain_clause.h"
#include "engine/query_executor.h"
#include "engine/survey_reporter.h"
#include "base/text_util.h"
#include "resources/resource.h"
#include "resources/text.h"
#include "standard/category_catalog.h"
#include "standard/category_store.h"

namespace {

constexpr int kUserAccountStore = 23;
constexpr int kGroupStore = 24;
constexpr int kQuickFixStore = 27;

bool TakesDomainClause(int storeIndex)
{
    return storeIndex == kUserAccountStore || storeIndex == kGroupStore;
}

// Walks from the last row to the first so that the remaining indexes stay valid.
void RemovePlaceholderHotfixRows(CategoryStore& store)
{
    for (int row = store.RowCount() - 1; row >= 0; --row) {
        if (EqualsNoCase(store.Cell(row, 0), kHotfixPlaceholderId))
            store.DeleteRow(row);
    }
}

// Reads one category into its store: 0, kQueryIncomplete (store marked, reporter told) or
// -1 (message shown) when the query failed.
int ReadCategory(CheckContext& check, StandardStores& stores, const StandardCategory& category,
                 const std::string& prefix, const std::string& domainClause)
{
    check.Progress().Set(prefix + LoadText(category.labelStringId));
    std::string query = category.query;
    if (TakesDomainClause(category.storeIndex))
        query += domainClause;
    std::string errorText;
    long objectCount = 0;
    int result = ExecuteStandardQuery(check, category.classId, query, category.propertyNames,
                                      *stores.Store(category.storeIndex), errorText, objectCount);
    if (result < 0) {
        check.ShowMessage(errorText, MB_ICONEXCLAMATION);
        return -1;
    }
    if (result == kQueryIncomplete) {
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

int RunStandardSurvey(CheckContext& check, StandardStores& stores, std::atomic<int>* categoriesRead)
{
    ClearStandardStores(check, stores);
    const std::string prefix = LoadText(IDS_CHECKING_PREFIX);
    std::string domainClause;
    bool failed = false;
    for (const StandardCategory& category : kStandardCategories) {
        if (category.storeIndex == kUserAccountStore)
            domainClause = BuildDomainClause(check.Connector(), check.Host());
        if (ReadCategory(check, stores, category, prefix, domainClause) < 0) {
            failed = true;
            break;
        }
        // A category the stop cut short, or never let start, must not pass for complete.
        if (check.IsStopRequested())
            stores.MarkIncomplete(category.storeIndex);
        if (categoriesRead)
            ++*categoriesRead;
    }
    if (!failed)
        RemovePlaceholderHotfixRows(*stores.Store(kQuickFixStore));
    check.Progress().Clear();
    if (failed)
        return kStandardSurveyFailed;
    if (check.IsStopRequested())
        return kStandardSurveyDone;   // the marks tell what the stop left out
    return stores.AnyIncomplete() ? kStandardSurveyIncomplete : kStandardSurveyDone;
}
