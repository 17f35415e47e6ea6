#include "store/check_lists.h"

#include <map>

#include "store/content_digest.h"

namespace {

// A text that tells one group's cells from another's: every field with its length.
std::string GroupKey(const std::vector<EncodedCell>& cells)
{
    std::string key;
    auto add = [&key](const std::string& field) {
        key += std::to_string(field.size());
        key += ':';
        key += field;
    };
    for (const EncodedCell& cell : cells) {
        add(std::to_string(cell.position) + "," + std::to_string(cell.vartype) + "," + std::to_string(cell.rawKind));
        const std::string* raw = std::get_if<std::string>(&cell.raw);
        add(raw ? "+" + *raw : "-");
        add(cell.shown);
    }
    return key;
}

using Members = std::vector<std::pair<int64_t, int64_t>>;   // (place in the part, group id)

// The groups and sets the check before uses, by their content.
struct Previous {
    std::map<std::string, int64_t> groups;   // by GroupKey
    std::map<Members, int64_t> sets;
};

bool LoadPrevious(StatementCache& statements, int64_t checkId, Previous& previous)
{
    if (checkId <= 0)
        return true;
    std::map<int64_t, Members> sets;
    std::map<int64_t, std::vector<EncodedCell>> groups;
    const bool read =
        EachRow(statements.Get("SELECT v.set_id, m.member, m.group_id FROM store_check_volatile v"
                               " JOIN store_volatile_members m ON m.set_id = v.set_id WHERE v.check_id = ?"
                               " ORDER BY v.set_id, m.member"),
                checkId, [&](DbStatement& row) { sets[row.Int(0)].emplace_back(row.Int(1), row.Int(2)); }) &&
        EachRow(statements.Get("SELECT c.group_id, c.position, c.vartype, c.raw_kind, c.raw, c.shown"
                               " FROM store_volatile_cells c WHERE c.group_id IN (SELECT m.group_id"
                               " FROM store_check_volatile v JOIN store_volatile_members m ON m.set_id = v.set_id"
                               " WHERE v.check_id = ?) ORDER BY c.group_id, c.position"),
                checkId, [&](DbStatement& row) {
                    EncodedCell cell{row.Int(1), row.Int(2), row.Int(3), {}, row.Text(5)};
                    if (!row.IsNull(4))
                        cell.raw = row.Text(4);
                    groups[row.Int(0)].push_back(std::move(cell));
                });
    for (const auto& [id, members] : sets)
        previous.sets.emplace(members, id);
    for (const auto& [id, cells] : groups)
        previous.groups.emplace(GroupKey(cells), id);
    return read;
}

// Runs an INSERT ... RETURNING id of one row; -1 on failure.
int64_t InsertReturningId(StatementCache& statements, const char* sql, int64_t value)
{
    StatementLease insert = statements.Get(sql);
    if (insert)
        insert->BindInt(1, value);
    const int64_t id = InsertedId(insert);
    return id > 0 ? id : -1;
}

class VolatileWriter {
public:
    explicit VolatileWriter(StatementCache& statements)
        : statements_(statements),
          cells_(statements, "INSERT INTO store_volatile_cells (group_id, position, vartype, raw_kind, raw, shown)", 6),
          members_(statements, "INSERT INTO store_volatile_members (set_id, member, group_id)", 3)
    {
    }
    bool Write(int64_t checkId, int64_t previousId, const std::vector<VolatilePart>& parts);

private:
    int64_t GroupOf(const std::vector<EncodedCell>& cells);
    int64_t SetOf(const Members& members);

    StatementCache& statements_;
    Previous known_;
    RowBatch cells_, members_;
};

int64_t VolatileWriter::GroupOf(const std::vector<EncodedCell>& cells)
{
    const std::string key = GroupKey(cells);
    if (const auto found = known_.groups.find(key); found != known_.groups.end())
        return found->second;
    const int64_t id = InsertReturningId(
        statements_, "INSERT INTO store_volatile_groups (cell_count) VALUES (?) RETURNING id",
        static_cast<int64_t>(cells.size()));
    if (id <= 0)
        return -1;
    for (const EncodedCell& cell : cells)
        cells_.Add({id, cell.position, cell.vartype, cell.rawKind, cell.raw, cell.shown});
    known_.groups.emplace(key, id);
    return id;
}

int64_t VolatileWriter::SetOf(const Members& members)
{
    if (const auto found = known_.sets.find(members); found != known_.sets.end())
        return found->second;
    const int64_t id = InsertReturningId(
        statements_, "INSERT INTO store_volatile_sets (member_count) VALUES (?) RETURNING id",
        static_cast<int64_t>(members.size()));
    if (id <= 0)
        return -1;
    for (const auto& [member, group] : members)
        members_.Add({id, member, group});
    known_.sets.emplace(members, id);
    return id;
}

bool VolatileWriter::Write(int64_t checkId, int64_t previousId, const std::vector<VolatilePart>& parts)
{
    if (!LoadPrevious(statements_, previousId, known_))
        return false;
    RowBatch uses(statements_, "INSERT INTO store_check_volatile (check_id, ordinal, set_id)", 3);
    for (const VolatilePart& part : parts) {
        Members members;
        for (const auto& [member, cells] : part.members) {
            const int64_t group = GroupOf(cells);
            if (group <= 0)
                return false;
            members.emplace_back(member, group);
        }
        if (members.empty())
            continue;
        const int64_t set = SetOf(members);
        if (set <= 0)
            return false;
        uses.Add({checkId, part.ordinal, set});
    }
    return cells_.Run() && members_.Run() && uses.Run();
}

}  // namespace

int64_t StorePartList(StatementCache& statements, const std::vector<PartListEntry>& parts)
{
    ContentDigest digest;
    digest.Add(static_cast<int64_t>(parts.size()));
    for (const PartListEntry& part : parts) {
        digest.Add(part.state);
        digest.Add(part.columnsDigest);
        digest.Add(part.setDigest);
    }
    const std::string key = digest.Hex();
    if (key.empty())
        return -1;
    DigestRows rows;
    rows.emplace(key, std::vector<DbValue>{key, static_cast<int64_t>(parts.size())});
    std::map<std::string, int64_t> ids;
    std::vector<std::string> inserted;
    if (!IdsOfDigests(statements, "store_part_lists", {key}, ids) ||
        !InsertMissing(statements, "store_part_lists", "INSERT INTO store_part_lists (digest, part_count)", rows, ids,
                       inserted))
        return -1;
    const int64_t id = ids.at(key);
    if (inserted.empty())
        return id;
    RowBatch members(statements, "INSERT INTO store_part_list_members (list_id, ordinal, state, columns_id, set_id)", 5);
    for (size_t ordinal = 0; ordinal < parts.size(); ++ordinal)
        members.Add({id, static_cast<int64_t>(ordinal), parts[ordinal].state, parts[ordinal].columnsId,
                     parts[ordinal].setId});
    return members.Run() ? id : -1;
}

bool StoreVolatileValues(StatementCache& statements, int64_t checkId, int64_t previousId,
                         const std::vector<VolatilePart>& parts)
{
    VolatileWriter writer(statements);
    return writer.Write(checkId, previousId, parts);
}
