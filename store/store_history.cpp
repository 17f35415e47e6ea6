#include "store/store_history.h"

#include "base/this_computer.h"
#include "store/check_computer.h"
#include "store/check_reader.h"
#include "store/object_identity.h"
#include "store/store_statements.h"

Lookup ListChecks(StatementCache& statements, const std::string& computer, std::vector<StoredCheckHeader>& checks)
{
    checks.clear();
    StoredComputer found;
    if (!computer.empty()) {
        const Lookup lookup = FindComputer(statements, computer, found);
        if (lookup != Lookup::Found)
            return lookup;
    }
    return LoadCheckHeaders(statements, found.id, checks) ? Lookup::Found : Lookup::Failed;
}

bool ListComputers(StatementCache& statements, std::vector<StoredComputer>& computers)
{
    computers.clear();
    StatementLease select = statements.Get(
        "SELECT m.id, m.name, count(c.id),"
        " (SELECT f.local_time FROM store_checks f WHERE f.computer_id = m.id ORDER BY f.checked_epoch, f.id LIMIT 1),"
        " (SELECT l.local_time FROM store_checks l WHERE l.computer_id = m.id ORDER BY l.checked_epoch DESC, l.id DESC LIMIT 1),"
        " (SELECT l.result FROM store_checks l WHERE l.computer_id = m.id ORDER BY l.checked_epoch DESC, l.id DESC LIMIT 1)"
        " FROM store_computers m JOIN store_checks c ON c.computer_id = m.id GROUP BY m.id, m.name ORDER BY m.name_key");
    if (!select)
        return false;
    DbStep step;
    while ((step = select->Step()) == DbStep::Row)
        computers.push_back({select->Int(0), select->Text(1), select->Text(3), select->Text(4), select->Text(5),
                             select->Int(2)});
    return step == DbStep::Done;
}

Lookup FindComputer(StatementCache& statements, const std::string& name, StoredComputer& computer)
{
    // By its own name; else by a name it was checked under, the computer that name last reached.
    const std::pair<const char*, std::string> lookups[] = {
        {"SELECT id, name FROM store_computers WHERE name_key = ?", IdentityMatchKey(RealComputerName(name))},
        {"SELECT m.id, m.name FROM store_checks c JOIN store_computers m ON m.id = c.computer_id"
         " WHERE c.target_key = ? ORDER BY c.checked_epoch DESC, c.id DESC LIMIT 1",
         TypedNameKey(name)},
    };
    for (const auto& [sql, key] : lookups) {
        StatementLease select = statements.Get(sql);
        if (!select)
            return Lookup::Failed;
        select->BindText(1, key);
        const DbStep step = select->Step();
        if (step == DbStep::Error)
            return Lookup::Failed;
        if (step == DbStep::Row) {
            computer.id = select->Int(0);
            computer.name = select->Text(1);
            return Lookup::Found;
        }
    }
    return Lookup::NotFound;
}

Lookup LatestTwoChecks(StatementCache& statements, int64_t computerId, int64_t& older, int64_t& newer)
{
    StatementLease select = statements.Get(
        "SELECT c.id FROM store_checks c WHERE c.computer_id = ? AND c.kind = (SELECT c.kind FROM store_checks c"
        " WHERE c.computer_id = ? AND " KEPT_CHECK_READ_SOMETHING " ORDER BY c.checked_epoch DESC, c.id DESC LIMIT 1)"
        " AND " KEPT_CHECK_READ_SOMETHING " ORDER BY c.checked_epoch DESC, c.id DESC LIMIT 2");
    if (!select)
        return Lookup::Failed;
    select->BindInt(1, computerId);
    select->BindInt(2, computerId);
    std::vector<int64_t> ids;
    DbStep step;
    while ((step = select->Step()) == DbStep::Row)
        ids.push_back(select->Int(0));
    if (step == DbStep::Error)
        return Lookup::Failed;
    if (ids.size() < 2)
        return Lookup::NotFound;
    newer = ids[0];
    older = ids[1];
    return Lookup::Found;
}

Lookup LatestCheck(StatementCache& statements, int64_t computerId, int64_t& id)
{
    // The latest check that read something: a part of it was read, at least in part.
    StatementLease select = statements.Get(
        "SELECT c.id FROM store_checks c WHERE c.computer_id = ? AND " KEPT_CHECK_READ_SOMETHING " ORDER BY c.checked_epoch DESC, c.id DESC LIMIT 1");
    if (!select)
        return Lookup::Failed;
    select->BindInt(1, computerId);
    const DbStep step = select->Step();
    if (step != DbStep::Row)
        return step == DbStep::Done ? Lookup::NotFound : Lookup::Failed;
    id = select->Int(0);
    return Lookup::Found;
}
