#include "store/store_migration.h"

#include <map>
#include <string>

#include "store/check_lists.h"

namespace {

struct OldCheck {
    int64_t id = 0;
    int64_t computerId = 0;
    std::string kind;
    std::vector<PartListEntry> parts;
};

// Every check with its parts, in the order of each computer's history of each kind.
bool ReadChecks(StatementCache& statements, std::vector<OldCheck>& checks)
{
    std::map<int64_t, size_t> place;
    {
        StatementLease select =
            statements.Get("SELECT id, computer_id, kind FROM store_checks ORDER BY computer_id, kind, checked_epoch, id");
        if (!select)
            return false;
        DbStep step;
        while ((step = select->Step()) == DbStep::Row) {
            place[select->Int(0)] = checks.size();
            checks.push_back({select->Int(0), select->Int(1), select->Text(2), {}});
        }
        if (step == DbStep::Error)
            return false;
    }
    StatementLease select = statements.Get(
        "SELECT p.check_id, p.state, p.columns_id, p.set_id, k.digest, s.digest FROM store_parts p"
        " JOIN store_columns k ON k.id = p.columns_id JOIN store_sets s ON s.id = p.set_id"
        " ORDER BY p.check_id, p.ordinal");
    if (!select)
        return false;
    DbStep step;
    while ((step = select->Step()) == DbStep::Row) {
        const auto found = place.find(select->Int(0));
        if (found != place.end())
            checks[found->second].parts.push_back(
                {select->Int(1), select->Int(2), select->Int(3), select->Text(4), select->Text(5)});
    }
    return step == DbStep::Done;
}

// The volatile values a check kept in rows of its own.
bool ReadVolatile(StatementCache& statements, int64_t checkId, std::vector<VolatilePart>& parts)
{
    return EachRow(statements.Get("SELECT ordinal, member, position, vartype, raw_kind, raw, shown FROM store_volatile"
                                  " WHERE check_id = ? ORDER BY ordinal, member, position"),
                   checkId, [&parts](DbStatement& row) {
                       const int64_t ordinal = row.Int(0), member = row.Int(1);
                       if (parts.empty() || parts.back().ordinal != ordinal)
                           parts.push_back({ordinal, {}});
                       auto& members = parts.back().members;
                       if (members.empty() || members.back().first != member)
                           members.emplace_back(member, std::vector<EncodedCell>());
                       EncodedCell cell{row.Int(2), row.Int(3), row.Int(4), {}, row.Text(6)};
                       if (!row.IsNull(5))
                           cell.raw = row.Text(5);
                       members.back().second.push_back(std::move(cell));
                   });
}

bool SetPartList(StatementCache& statements, int64_t checkId, int64_t listId)
{
    StatementLease update = statements.Get("UPDATE store_checks SET part_list_id = ? WHERE id = ?");
    if (!update)
        return false;
    update->BindInt(1, listId);
    update->BindInt(2, checkId);
    return update->Step() == DbStep::Done;
}

}  // namespace

bool MoveToPartLists(Database& database)
{
    StatementCache statements(database);
    std::vector<OldCheck> checks;
    if (!ReadChecks(statements, checks))
        return false;
    // The check before, of the same computer and kind: the one moved last, as in recording.
    const OldCheck* previous = nullptr;
    for (const OldCheck& check : checks) {
        if (previous && (previous->computerId != check.computerId || previous->kind != check.kind))
            previous = nullptr;
        std::vector<VolatilePart> volatileParts;
        const int64_t list = StorePartList(statements, check.parts);
        if (list <= 0 || !SetPartList(statements, check.id, list) || !ReadVolatile(statements, check.id, volatileParts) ||
            !StoreVolatileValues(statements, check.id, previous ? previous->id : 0, volatileParts))
            return false;
        previous = &check;
    }
    return true;
}
