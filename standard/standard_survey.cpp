#include "standard/standard_survey.h"

#include <windows.h>

#include "engine/domain_clause.h"
#include "engine/query_executor.h"
#include "engine/run_state.h"
#include "engine/survey_reporter.h"
#include "render/text_util.h"
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

// Reads one category into its store; false (message shown) when the query failed.
bool ReadCategory(const StandardCategory& category, const std::string& host,
                  const std::string& prefix, const std::string& domainClause)
{
    RunState& run = GetRunState();
    run.StatusText.Set(prefix + LoadText(category.labelStringId));
    std::string query = category.query;
    if (TakesDomainClause(category.storeIndex))
        query += domainClause;
    std::string errorText;
    long objectCount = 0;
    if (ExecuteStandardQuery(category.classId, host, query, category.propertyNames,
                             *StandardStore(category.storeIndex), errorText, objectCount) < 0) {
        ReportMessage(errorText, MB_ICONEXCLAMATION);
        return false;
    }
    return true;
}

}  // namespace

void ClearStandardStores()
{
    ClearAllStoreRows();
    if (SurveyReporter* reporter = GetSurveyReporter())
        reporter->StandardStoresCleared();
}

int RunStandardSurvey(const std::string& host)
{
    ClearStandardStores();
    const std::string prefix = LoadText(IDS_CHECKING_PREFIX);
    std::string domainClause;
    bool failed = false;
    for (const StandardCategory& category : kStandardCategories) {
        if (category.storeIndex == kUserAccountStore)
            domainClause = BuildDomainClause(host);
        if (!ReadCategory(category, host, prefix, domainClause)) {
            failed = true;
            break;
        }
    }
    if (!failed)
        RemovePlaceholderHotfixRows(*StandardStore(kQuickFixStore));
    GetRunState().StatusText.Clear();
    return failed ? kStandardSurveyFailed : kStandardSurveyDone;
}
