#include "store/check_reader.h"

#include <map>

#include "store/raw_cell.h"

namespace {

struct ColumnSet {
    std::vector<std::string> properties;
    std::string identityRule;
};

class CheckLoader {
public:
    explicit CheckLoader(StatementCache& statements) : statements_(statements) {}
    bool LoadParts(StoredCheck& check);

private:
    const ColumnSet* Columns(int64_t id);
    bool LoadObjects(int64_t setId, StoredPart& part);
    bool LoadVolatile(int64_t checkId, int ordinal, StoredPart& part);

    StatementCache& statements_;
    std::map<int64_t, ColumnSet> columns_;
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

const ColumnSet* CheckLoader::Columns(int64_t id)
{
    if (auto found = columns_.find(id); found != columns_.end())
        return &found->second;
    ColumnSet set;
    StatementLease rule = statements_.Get("SELECT identity FROM store_columns WHERE id = ?");
    StatementLease names = statements_.Get("SELECT property FROM store_column_names WHERE columns_id = ? ORDER BY position");
    if (!rule || !names)
        return nullptr;
    rule->BindInt(1, id);
    if (rule->Step() != DbStep::Row)
        return nullptr;
    set.identityRule = rule->Text(0);
    names->BindInt(1, id);
    DbStep step;
    while ((step = names->Step()) == DbStep::Row)
        set.properties.push_back(names->Text(0));
    if (step == DbStep::Error)
        return nullptr;
    return &columns_.emplace(id, std::move(set)).first->second;
}

bool CheckLoader::LoadObjects(int64_t setId, StoredPart& part)
{
    StatementLease identities = statements_.Get(
        "SELECT o.identity FROM store_set_members m JOIN store_objects o ON o.id = m.object_id"
        " WHERE m.set_id = ? ORDER BY m.position");
    StatementLease cells = statements_.Get(
        "SELECT m.position, c.position, c.vartype, c.raw_kind, c.raw, c.shown FROM store_set_members m"
        " JOIN store_cells c ON c.object_id = m.object_id WHERE m.set_id = ? ORDER BY m.position, c.position");
    if (!identities || !cells)
        return false;
    identities->BindInt(1, setId);
    DbStep step;
    while ((step = identities->Step()) == DbStep::Row)
        part.objects.push_back({std::vector<StoredCell>(part.properties.size(), EmptyCell()), identities->Text(0)});
    if (step == DbStep::Error)
        return false;
    cells->BindInt(1, setId);
    while ((step = cells->Step()) == DbStep::Row) {
        const size_t member = static_cast<size_t>(cells->Int(0));
        const size_t position = static_cast<size_t>(cells->Int(1));
        if (member < part.objects.size() && position < part.properties.size())
            part.objects[member].cells[position] = CellOfRow(*cells, 2);
    }
    return step == DbStep::Done;
}

bool CheckLoader::LoadVolatile(int64_t checkId, int ordinal, StoredPart& part)
{
    StatementLease cells = statements_.Get(
        "SELECT member, position, vartype, raw_kind, raw, shown FROM store_volatile"
        " WHERE check_id = ? AND ordinal = ?");
    if (!cells)
        return false;
    cells->BindInt(1, checkId);
    cells->BindInt(2, ordinal);
    DbStep step;
    while ((step = cells->Step()) == DbStep::Row) {
        const size_t member = static_cast<size_t>(cells->Int(0));
        const size_t position = static_cast<size_t>(cells->Int(1));
        if (member < part.objects.size() && position < part.properties.size())
            part.objects[member].cells[position] = CellOfRow(*cells, 2);
    }
    return step == DbStep::Done;
}

bool CheckLoader::LoadParts(StoredCheck& check)
{
    StatementLease parts = statements_.Get(
        "SELECT ordinal, class_name, state, columns_id, set_id FROM store_parts WHERE check_id = ? ORDER BY ordinal");
    if (!parts)
        return false;
    parts->BindInt(1, check.header.id);
    struct Row {
        int ordinal;
        StoredPart part;
        int64_t columnsId, setId;
    };
    std::vector<Row> rows;
    DbStep step;
    while ((step = parts->Step()) == DbStep::Row) {
        Row row{static_cast<int>(parts->Int(0)), {}, parts->Int(3), parts->Int(4)};
        row.part.className = parts->Text(1);
        row.part.state = static_cast<PartState>(parts->Int(2));
        rows.push_back(std::move(row));
    }
    if (step == DbStep::Error)
        return false;
    for (Row& row : rows) {
        const ColumnSet* columns = Columns(row.columnsId);
        if (!columns)
            return false;
        row.part.properties = columns->properties;
        row.part.identityRule = columns->identityRule;
        if (!LoadObjects(row.setId, row.part) || !LoadVolatile(check.header.id, row.ordinal, row.part))
            return false;
        check.parts.push_back(std::move(row.part));
    }
    return true;
}

}  // namespace

LoadResult LoadCheckHeader(StatementCache& statements, int64_t id, StoredCheckHeader& header)
{
    StatementLease select = statements.Get(
        "SELECT c.id, m.name, c.target, c.checked_at, c.checked_epoch, c.local_time, c.utc_offset, c.kind,"
        " c.account, c.result, c.error_code, c.message, c.complete, c.seconds, c.source, c.language, c.changes"
        " FROM store_checks c JOIN store_computers m ON m.id = c.computer_id WHERE c.id = ?");
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
    header.id = select->Int(0);
    header.computer = select->Text(1);
    header.target = select->Text(2);
    header.checkedAt.utc = select->Text(3);
    header.checkedAt.epoch = select->Int(4);
    header.checkedAt.local = select->Text(5);
    header.checkedAt.offsetMinutes = static_cast<int>(select->Int(6));
    header.kind = select->Text(7);
    header.account = select->Text(8);
    header.result = select->Text(9);
    header.errorCode = select->Int(10);
    header.message = select->Text(11);
    header.complete = select->Int(12) != 0;
    header.seconds = select->Real(13);
    header.source = select->Text(14);
    header.language = static_cast<unsigned>(select->Int(15));
    header.changes = select->IsNull(16) ? -1 : select->Int(16);
    return LoadResult::Loaded;
}

LoadResult LoadCheck(StatementCache& statements, int64_t id, StoredCheck& check)
{
    check = StoredCheck{};
    const LoadResult header = LoadCheckHeader(statements, id, check.header);
    if (header != LoadResult::Loaded)
        return header;
    CheckLoader loader(statements);
    return loader.LoadParts(check) ? LoadResult::Loaded : LoadResult::Failed;
}
