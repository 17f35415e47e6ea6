#include "store/check_reader.h"

#include <map>

#include "store/raw_cell.h"

namespace {

struct ColumnSet {
    std::vector<std::string> properties;
    std::string identityRule;
};

// Reads a check's parts in a few statements, each over all its parts: a server answers
// every statement over the network.
class CheckLoader {
public:
    CheckLoader(StatementCache& statements, StoredCheck& check) : statements_(statements), check_(check) {}
    bool LoadParts();

private:
    bool LoadObjects();
    bool LoadCells(const char* sql);
    StoredPart* PartOf(int64_t ordinal)
    {
        const auto found = partOf_.find(ordinal);
        return found == partOf_.end() ? nullptr : &check_.parts[found->second];
    }

    StatementCache& statements_;
    StoredCheck& check_;
    std::map<int64_t, size_t> partOf_;   // ordinal -> place in check_.parts
};

StoredCell CellOfRow(DbStatement& row, int first)
{
    const unsigned short vartype = static_cast<unsigned short>(row.Int(first));
    return {DecodeRaw(static_cast<int>(row.Int(first + 1)), row.Text(first + 2), vartype), row.Text(first + 3)};
}

StoredCell EmptyCell()
{
    StoredCell cell;
    cell.raw.vartype = VT_NULL;
    return cell;
}

bool CheckLoader::LoadObjects()
{
    return EachRow(statements_.Get("SELECT p.ordinal, o.identity FROM store_checks c"
                                   " JOIN store_part_list_members p ON p.list_id = c.part_list_id"
                                   " JOIN store_set_members m ON m.set_id = p.set_id"
                                   " JOIN store_objects o ON o.id = m.object_id"
                                   " WHERE c.id = ? ORDER BY p.ordinal, m.position"),
                   check_.header.id, [this](DbStatement& row) {
                       if (StoredPart* part = PartOf(row.Int(0)))
                           part->objects.push_back(
                               {std::vector<StoredCell>(part->properties.size(), EmptyCell()), row.Text(1)});
                   });
}

// Cells of rows (ordinal, member, position, vartype, raw kind, raw, shown).
bool CheckLoader::LoadCells(const char* sql)
{
    return EachRow(statements_.Get(sql), check_.header.id, [this](DbStatement& row) {
        StoredPart* part = PartOf(row.Int(0));
        const size_t member = static_cast<size_t>(row.Int(1));
        const size_t position = static_cast<size_t>(row.Int(2));
        if (part && member < part->objects.size() && position < part->properties.size())
            part->objects[member].cells[position] = CellOfRow(row, 3);
    });
}

// The parts in their order, each with its class, state, identity rule and properties.
bool CheckLoader::LoadParts()
{
    const bool parts = EachRow(
        statements_.Get("SELECT p.ordinal, k.class_name, p.state, k.identity, n.property FROM store_checks c"
                        " JOIN store_part_list_members p ON p.list_id = c.part_list_id"
                        " JOIN store_columns k ON k.id = p.columns_id"
                        " LEFT JOIN store_column_names n ON n.columns_id = k.id"
                        " WHERE c.id = ? ORDER BY p.ordinal, n.position"),
        check_.header.id, [this](DbStatement& row) {
            if (!PartOf(row.Int(0))) {
                partOf_[row.Int(0)] = check_.parts.size();
                StoredPart part;
                part.className = row.Text(1);
                part.state = static_cast<PartState>(row.Int(2));
                part.identityRule = row.Text(3);
                check_.parts.push_back(std::move(part));
            }
            if (!row.IsNull(4))
                check_.parts.back().properties.push_back(row.Text(4));
        });
    return parts && LoadObjects() &&
           LoadCells("SELECT p.ordinal, m.position, x.position, x.vartype, x.raw_kind, x.raw, x.shown"
                     " FROM store_checks c JOIN store_part_list_members p ON p.list_id = c.part_list_id"
                     " JOIN store_set_members m ON m.set_id = p.set_id"
                     " JOIN store_cells x ON x.object_id = m.object_id WHERE c.id = ?") &&
           LoadCells("SELECT v.ordinal, m.member, x.position, x.vartype, x.raw_kind, x.raw, x.shown"
                     " FROM store_check_volatile v JOIN store_volatile_members m ON m.set_id = v.set_id"
                     " JOIN store_volatile_cells x ON x.group_id = m.group_id WHERE v.check_id = ?");
}

}  // namespace

namespace {

// A check's header: the columns ReadHeader reads, of c (store_checks) and m (store_computers).
#define CHECK_HEADER_SELECT                                                                                      \
    "SELECT c.id, m.name, c.target, c.checked_at, c.checked_epoch, c.local_time, c.utc_offset, c.kind,"         \
    " c.account, c.result, c.error_code, c.message, c.complete, c.seconds, c.source, c.language, c.changes,"    \
    " c.identified, c.domain FROM store_checks c JOIN store_computers m ON m.id = c.computer_id"

StoredCheckHeader ReadHeader(DbStatement& row)
{
    StoredCheckHeader header;
    header.id = row.Int(0);
    header.computer = row.Text(1);
    header.target = row.Text(2);
    header.checkedAt.utc = row.Text(3);
    header.checkedAt.epoch = row.Int(4);
    header.checkedAt.local = row.Text(5);
    header.checkedAt.offsetMinutes = static_cast<int>(row.Int(6));
    header.kind = row.Text(7);
    header.account = row.Text(8);
    header.result = row.Text(9);
    header.errorCode = row.Int(10);
    header.message = row.Text(11);
    header.complete = row.Int(12) != 0;
    header.seconds = row.Real(13);
    header.source = row.Text(14);
    header.language = static_cast<unsigned>(row.Int(15));
    header.changes = row.IsNull(16) ? -1 : row.Int(16);
    header.identified = row.Int(17) != 0;
    header.domain = row.IsNull(18) ? std::string() : row.Text(18);
    return header;
}

}  // namespace

LoadResult LoadCheckHeader(StatementCache& statements, int64_t id, StoredCheckHeader& header)
{
    StatementLease select = statements.Get(CHECK_HEADER_SELECT " WHERE c.id = ?");
    if (!select)
        return LoadResult::Failed;
    select->BindInt(1, id);
    switch (select->Step()) {
    case DbStep::Done:
        return LoadResult::NotFound;
    case DbStep::Error:
        return LoadResult::Failed;
    case DbStep::Row:
        break;
    }
    header = ReadHeader(*select);
    return LoadResult::Loaded;
}

bool LoadCheckHeaders(StatementCache& statements, int64_t computerId, std::vector<StoredCheckHeader>& headers)
{
    headers.clear();
    // Two statements rather than "computer_id = ? OR ? = 0", so that each uses its index.
    StatementLease select = statements.Get(computerId ? CHECK_HEADER_SELECT " WHERE c.computer_id = ? ORDER BY c.checked_epoch, c.id"
                                                      : CHECK_HEADER_SELECT " ORDER BY c.checked_epoch, c.id");
    if (!select)
        return false;
    if (computerId)
        select->BindInt(1, computerId);
    DbStep step;
    while ((step = select->Step()) == DbStep::Row)
        headers.push_back(ReadHeader(*select));
    return step == DbStep::Done;
}

LoadResult LoadCheck(StatementCache& statements, int64_t id, StoredCheck& check)
{
    check = StoredCheck{};
    const LoadResult header = LoadCheckHeader(statements, id, check.header);
    if (header != LoadResult::Loaded)
        return header;
    CheckLoader loader(statements, check);
    return loader.LoadParts() ? LoadResult::Loaded : LoadResult::Failed;
}
