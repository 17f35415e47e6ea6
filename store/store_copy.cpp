#include "store/store_copy.h"

#include <vector>

#include "store/check_reader.h"

namespace {

bool CheckNumbers(InventoryStore& store, std::vector<int64_t>& ids)
{
    std::unique_ptr<DbStatement> select = store.Db().Prepare("SELECT id FROM store_checks ORDER BY id");
    if (!select)
        return false;
    DbStep step;
    while ((step = select->Step()) == DbStep::Row)
        ids.push_back(select->Int(0));
    return step == DbStep::Done;
}

}  // namespace

bool CopyChecks(InventoryStore& from, InventoryStore& to, const std::function<bool()>& stopped, CopyResult& result)
{
    result = CopyResult{};
    std::vector<int64_t> ids;
    if (!CheckNumbers(from, ids)) {
        result.readFailed = true;
        return false;
    }
    for (int64_t id : ids) {
        if (stopped && stopped())
            return false;
        StoredCheck check;
        const LoadResult loaded = LoadCheck(from.Statements(), id, check);
        if (loaded == LoadResult::NotFound)
            continue;   // pruned by another program meanwhile
        if (loaded != LoadResult::Loaded) {
            result.failedCheck = id;
            result.readFailed = true;
            return false;
        }
        if (!to.Record(check, RecordMode::Copy)) {
            result.failedCheck = id;
            return false;
        }
        ++(to.AlreadyStored() ? result.alreadyThere : result.copied);
    }
    return true;
}
