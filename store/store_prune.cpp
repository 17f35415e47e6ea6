#include "store/store_prune.h"

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "base/text_util.h"
#include "resources/resource.h"
#include "resources/text.h"
#include "store/check_recorder.h"
#include "store/latest_rows.h"
#include "store/store_statements.h"

namespace {

// The checks that stay whatever their age: per computer and kind the latest, and the
// latest that read something.
constexpr char kKept[] =
    "SELECT id FROM (SELECT id, ROW_NUMBER() OVER (PARTITION BY computer_id, kind"
    " ORDER BY checked_epoch DESC, id DESC) AS n FROM store_checks) AS latest WHERE n = 1"
    " UNION SELECT id FROM (SELECT c.id, ROW_NUMBER() OVER (PARTITION BY c.computer_id, c.kind"
    " ORDER BY c.checked_epoch DESC, c.id DESC) AS n FROM store_checks c"
    " WHERE " KEPT_CHECK_READ_SOMETHING ") AS latest_read WHERE n = 1";

// Runs `sql`, with `value` bound to its one parameter when `bind`.
bool Run(Database& database, const std::string& sql, int64_t value = 0, bool bind = false)
{
    std::unique_ptr<DbStatement> statement = database.Prepare(sql);
    if (!statement)
        return false;
    if (bind)
        statement->BindInt(1, value);
    return statement->Step() == DbStep::Done;
}

int64_t Count(Database& database, const char* sql)
{
    std::unique_ptr<DbStatement> statement = database.Prepare(sql);
    return statement && statement->Step() == DbStep::Row ? statement->Int(0) : -1;
}

// The numbers a statement without parameters selects, leaving out nulls.
bool Ids(Database& database, const char* sql, std::vector<int64_t>& ids)
{
    std::unique_ptr<DbStatement> select = database.Prepare(sql);
    if (!select)
        return false;
    DbStep step;
    while ((step = select->Step()) == DbStep::Row)
        if (!select->IsNull(0))
            ids.push_back(select->Int(0));
    return step == DbStep::Done;
}

// The checks that stay and came right after a check that goes (of the same computer and
// kind, reading something): their changes were counted against it.
bool Followers(Database& database, std::vector<int64_t>& ids)
{
    return Ids(database,
               "SELECT DISTINCT (SELECT c.id FROM store_checks c WHERE c.computer_id = d.computer_id AND c.kind = d.kind"
               " AND (c.checked_epoch > d.checked_epoch OR (c.checked_epoch = d.checked_epoch AND c.id > d.id))"
               " AND c.id NOT IN (SELECT id FROM doomed_checks) AND " KEPT_CHECK_READ_SOMETHING
               " ORDER BY c.checked_epoch, c.id LIMIT 1) FROM store_checks d WHERE d.id IN (SELECT id FROM doomed_checks)",
               ids);
}

}  // namespace

namespace {

// Removes the checks listed in the temporary table doomed_checks, then everything no
// remaining check uses (objects, sets, part lists, volatile values, computers without a
// check), and drops the table; inside the caller's transaction. `result` counts.
bool RemoveDoomed(Database& database, PruneResult& result)
{
    const char* const cleanUp[] = {
        "DELETE FROM store_changes WHERE check_id IN (SELECT id FROM doomed_checks)",
        "DELETE FROM store_check_volatile WHERE check_id IN (SELECT id FROM doomed_checks)",
        "DELETE FROM store_checks WHERE id IN (SELECT id FROM doomed_checks)",
        "DROP TABLE doomed_checks",
        "DELETE FROM store_volatile_members WHERE set_id NOT IN (SELECT set_id FROM store_check_volatile)",
        "DELETE FROM store_volatile_sets WHERE id NOT IN (SELECT set_id FROM store_check_volatile)",
        "DELETE FROM store_volatile_cells WHERE group_id NOT IN (SELECT group_id FROM store_volatile_members)",
        "DELETE FROM store_volatile_groups WHERE id NOT IN (SELECT group_id FROM store_volatile_members)",
        "DELETE FROM store_part_list_members WHERE list_id NOT IN (SELECT part_list_id FROM store_checks WHERE part_list_id IS NOT NULL)",
        "DELETE FROM store_part_lists WHERE id NOT IN (SELECT part_list_id FROM store_checks WHERE part_list_id IS NOT NULL)",
        "DELETE FROM store_set_members WHERE set_id NOT IN (SELECT set_id FROM store_part_list_members)",
        "DELETE FROM store_sets WHERE id NOT IN (SELECT set_id FROM store_part_list_members)",
        "DELETE FROM store_cells WHERE object_id NOT IN (SELECT object_id FROM store_set_members)",
        "DELETE FROM store_objects WHERE id NOT IN (SELECT object_id FROM store_set_members)",
        "DELETE FROM store_column_names WHERE columns_id NOT IN (SELECT columns_id FROM store_part_list_members)"
        " AND columns_id NOT IN (SELECT columns_id FROM store_objects)",
        "DELETE FROM store_columns WHERE id NOT IN (SELECT columns_id FROM store_part_list_members)"
        " AND id NOT IN (SELECT columns_id FROM store_objects)",
        "DELETE FROM store_computers WHERE id NOT IN (SELECT computer_id FROM store_checks)",
    };
    const int64_t before = Count(database, "SELECT count(*) FROM store_checks");
    std::vector<int64_t> recount, computers;
    if (before < 0 || !Followers(database, recount) ||
        !Ids(database, "SELECT DISTINCT computer_id FROM store_checks WHERE id IN (SELECT id FROM doomed_checks)",
             computers))
        return false;
    for (const char* sql : cleanUp)
        if (!Run(database, sql))
            return false;
    // A check whose previous check went counts its changes against the one before it now,
    // and a computer whose latest check went has the rows of the one before it kept.
    StatementCache statements(database);
    CheckRecorder recorder(statements);
    for (int64_t id : recount)
        if (!recorder.RecordChanges(id))
            return false;
    for (int64_t computer : computers)
        if (!KeepLatestRows(statements, computer))
            return false;
    result.remaining = Count(database, "SELECT count(*) FROM store_checks");
    result.removed = before - result.remaining;
    return result.remaining >= 0;
}

// Fills doomed_checks with `ids` (each once); the numbers the store does not hold go into
// `missing`. The statements are done before the table is dropped (SQLite refuses to drop a
// table while a statement runs).
bool ListDoomed(Database& database, const std::vector<int64_t>& ids, std::vector<int64_t>& missing)
{
    std::unique_ptr<DbStatement> find = database.Prepare("SELECT count(*) FROM store_checks WHERE id = ?");
    std::unique_ptr<DbStatement> add = database.Prepare("INSERT INTO doomed_checks (id) VALUES (?)");
    if (!find || !add)
        return false;
    const std::set<int64_t> distinct(ids.begin(), ids.end());
    for (int64_t id : distinct) {
        find->Reset();
        find->BindInt(1, id);
        if (find->Step() != DbStep::Row)
            return false;
        const bool there = find->Int(0) > 0;
        find->Reset();
        if (!there) {
            missing.push_back(id);
            continue;
        }
        add->Reset();
        add->BindInt(1, id);
        if (add->Step() != DbStep::Done)
            return false;
    }
    return true;
}

// The file shrinks only when SQLite rewrites it; a server gives space back by itself.
void GiveSpaceBack(Database& database, PruneResult& result)
{
    if (database.Dialect() == DbDialect::Sqlite && result.removed > 0 &&
        !database.Execute("PRAGMA wal_checkpoint(TRUNCATE); VACUUM; PRAGMA wal_checkpoint(TRUNCATE)"))
        result.notCompacted = database.LastError().message;
}

}  // namespace

bool PruneStore(Database& database, int days, int64_t nowEpoch, PruneResult& result)
{
    const int64_t cutoff = nowEpoch - static_cast<int64_t>(days) * 86400;
    const std::string doomed =
        "SELECT id FROM store_checks WHERE checked_epoch < ? AND id NOT IN (" + std::string(kKept) + ")";
    {
        DbTransaction transaction(database);
        if (!transaction.IsOpen() || !Run(database, "CREATE TEMPORARY TABLE doomed_checks (id BIGINT PRIMARY KEY)") ||
            !Run(database, "INSERT INTO doomed_checks " + doomed, cutoff, true) || !RemoveDoomed(database, result) ||
            !transaction.Commit())
            return false;
    }
    GiveSpaceBack(database, result);
    return true;
}

bool DeleteChecks(Database& database, const std::vector<int64_t>& ids, PruneResult& result,
                  std::vector<int64_t>& missing)
{
    missing.clear();
    {
        DbTransaction transaction(database);
        if (!transaction.IsOpen() || !Run(database, "CREATE TEMPORARY TABLE doomed_checks (id BIGINT PRIMARY KEY)"))
            return false;
        if (!ListDoomed(database, ids, missing))
            return false;
        if (!missing.empty())
            return true;   // nothing deleted: the store stays as it was
        if (!RemoveDoomed(database, result) || !transaction.Commit())
            return false;
    }
    GiveSpaceBack(database, result);
    return true;
}

bool DeleteComputer(Database& database, int64_t computerId, PruneResult& result)
{
    {
        DbTransaction transaction(database);
        if (!transaction.IsOpen() || !Run(database, "CREATE TEMPORARY TABLE doomed_checks (id BIGINT PRIMARY KEY)") ||
            !Run(database, "INSERT INTO doomed_checks SELECT id FROM store_checks WHERE computer_id = ?", computerId,
                 true) ||
            !RemoveDoomed(database, result) || !Run(database, "DELETE FROM store_computers WHERE id = ?", computerId, true) ||
            !transaction.Commit())
            return false;
    }
    GiveSpaceBack(database, result);
    return true;
}

std::string DeletedChecksText(const PruneResult& result)
{
    const std::string deleted = result.removed == 1 ? LoadText(IDS_DELETED_ONE_CHECK)
                                                    : FillIn(LoadText(IDS_DELETED_CHECKS), std::to_string(result.removed));
    const std::string held = result.remaining == 1
                                 ? LoadText(IDS_STORE_HOLDS_ONE_CHECK)
                                 : FillIn(LoadText(IDS_STORE_HOLDS_CHECKS), std::to_string(result.remaining));
    return deleted + " " + held;
}
