#include "store/check_reader.h"

#include <functional>
#include <map>
#include <unordered_map>
#include <utility>

#include "store/raw_cell.h"

namespace {

struct ColumnSet {
    std::vector<std::string> properties;
    std::string identityRule;
};

// Reads a check's parts in a few statements, each over all its parts: a server answers
// every statement over the network. Beside a check already read (`reference`), the parts
// whose stored set of objects both share are taken from it instead of being read again,
// and so are the cells of each object it read in another part: two checks of one computer
// mostly share all but a few parts, and in the others all but a few objects.
class CheckLoader {
public:
    CheckLoader(StatementCache& statements, StoredCheck& check, const CheckLoader* reference = nullptr)
        : statements_(statements), check_(check), reference_(reference)
    {
    }
    bool LoadParts();

private:
    bool LoadObjects();
    bool LoadCells(const std::string& sql, bool isVolatile);
    void TakeSharedParts();
    void TakeSharedCells(size_t place, size_t member, int64_t objectId);
    // `besideReference`: 0 reads all, 1 leaves out the parts the reference shares, 2 also
    // the objects it read.
    bool Each(const std::string& sql, int besideReference, const std::function<void(DbStatement&)>& take,
              const char* order = "");
    StoredPart* PartOf(int64_t ordinal)
    {
        const auto found = partOf_.find(ordinal);
        return found == partOf_.end() ? nullptr : &check_.parts[found->second];
    }

    StatementCache& statements_;
    StoredCheck& check_;
    const CheckLoader* reference_;
    std::map<int64_t, size_t> partOf_;        // ordinal -> place in check_.parts
    std::vector<int64_t> setOf_;              // place in check_.parts -> its stored set of objects
    std::map<int64_t, size_t> partOfSet_;     // and back
    // Per place in check_.parts, the cells (object, property) filled from volatile values.
    std::vector<std::vector<std::pair<size_t, size_t>>> volatileCells_;
    // Each stored object read, and where: (place in check_.parts, member).
    std::unordered_map<int64_t, std::pair<size_t, size_t>> objectAt_;
    // The reference's volatile cells by (place, member), made when first needed.
    std::map<std::pair<size_t, size_t>, std::vector<size_t>> referenceVolatile_;
    bool referenceVolatileMade_ = false;
};

// The condition that leaves out the parts the reference check shares, its id the second
// parameter.
constexpr char kNotShared[] =
    " AND p.set_id NOT IN (SELECT q.set_id FROM store_checks r"
    " JOIN store_part_list_members q ON q.list_id = r.part_list_id WHERE r.id = ?)";
// The condition that leaves out the objects the reference check read, its id the third
// parameter.
constexpr char kNotRead[] =
    " AND m.object_id NOT IN (SELECT s.object_id FROM store_checks r"
    " JOIN store_part_list_members q ON q.list_id = r.part_list_id"
    " JOIN store_set_members s ON s.set_id = q.set_id WHERE r.id = ?)";

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

// Runs `sql` over this check (beside the reference check, over the parts it does not
// share, and, asked to, over the objects it did not read), its rows ordered by `order`.
bool CheckLoader::Each(const std::string& sql, int besideReference, const std::function<void(DbStatement&)>& take,
                       const char* order)
{
    const int beside = reference_ ? besideReference : 0;
    StatementLease select =
        statements_.Get(sql + (beside >= 1 ? kNotShared : "") + (beside >= 2 ? kNotRead : "") + order);
    if (!select)
        return false;
    select->BindInt(1, check_.header.id);
    for (int parameter = 2; parameter <= beside + 1; ++parameter)
        select->BindInt(parameter, reference_->check_.header.id);
    DbStep step;
    while ((step = select->Step()) == DbStep::Row)
        take(*select);
    return step == DbStep::Done;
}

bool CheckLoader::LoadObjects()
{
    return Each("SELECT p.ordinal, o.identity, o.id FROM store_checks c"
                " JOIN store_part_list_members p ON p.list_id = c.part_list_id"
                " JOIN store_set_members m ON m.set_id = p.set_id"
                " JOIN store_objects o ON o.id = m.object_id"
                " WHERE c.id = ?",
                1,
                [this](DbStatement& row) {
                    const auto found = partOf_.find(row.Int(0));
                    if (found == partOf_.end())
                        return;
                    StoredPart& part = check_.parts[found->second];
                    const int64_t objectId = row.Int(2);
                    objectAt_.emplace(objectId, std::make_pair(found->second, part.objects.size()));
                    part.objects.push_back({std::vector<StoredCell>(part.properties.size(), EmptyCell()), row.Text(1)});
                    TakeSharedCells(found->second, part.objects.size() - 1, objectId);
                },
                " ORDER BY p.ordinal, m.position");
}

// The cells of an object the reference read in a part of its own, as it read them before
// its volatile values were filled in. An object stored once has one set of columns, so
// its cells fit wherever it stands.
void CheckLoader::TakeSharedCells(size_t place, size_t member, int64_t objectId)
{
    if (!reference_)
        return;
    const auto shared = reference_->objectAt_.find(objectId);
    if (shared == reference_->objectAt_.end())
        return;
    const auto [referencePlace, referenceMember] = shared->second;
    const StoredObject& from = reference_->check_.parts[referencePlace].objects[referenceMember];
    std::vector<StoredCell>& cells = check_.parts[place].objects[member].cells;
    if (from.cells.size() != cells.size())
        return;
    cells = from.cells;
    if (!referenceVolatileMade_) {
        for (size_t at = 0; at < reference_->volatileCells_.size(); ++at)
            for (const auto& [volatileMember, position] : reference_->volatileCells_[at])
                referenceVolatile_[{at, volatileMember}].push_back(position);
        referenceVolatileMade_ = true;
    }
    const auto filled = referenceVolatile_.find({referencePlace, referenceMember});
    if (filled == referenceVolatile_.end())
        return;
    for (size_t position : filled->second)
        if (position < cells.size())
            cells[position] = EmptyCell();
}

// The objects of the parts whose set the reference check shares, as it read them before
// its volatile values were filled in.
void CheckLoader::TakeSharedParts()
{
    if (!reference_)
        return;
    for (size_t place = 0; place < check_.parts.size(); ++place) {
        const auto shared = reference_->partOfSet_.find(setOf_[place]);
        if (shared == reference_->partOfSet_.end())
            continue;
        std::vector<StoredObject>& objects = check_.parts[place].objects;
        objects = reference_->check_.parts[shared->second].objects;
        for (const auto& [member, position] : reference_->volatileCells_[shared->second])
            if (member < objects.size() && position < objects[member].cells.size())
                objects[member].cells[position] = EmptyCell();
    }
}

// Cells of rows (ordinal, member, position, vartype, raw kind, raw, shown).
bool CheckLoader::LoadCells(const std::string& sql, bool isVolatile)
{
    return Each(sql, isVolatile ? 0 : 2, [this, isVolatile](DbStatement& row) {
        const auto found = partOf_.find(row.Int(0));
        if (found == partOf_.end())
            return;
        StoredPart& part = check_.parts[found->second];
        const size_t member = static_cast<size_t>(row.Int(1));
        const size_t position = static_cast<size_t>(row.Int(2));
        if (member >= part.objects.size() || position >= part.properties.size())
            return;
        part.objects[member].cells[position] = CellOfRow(row, 3);
        if (isVolatile)
            volatileCells_[found->second].emplace_back(member, position);
    });
}

// The parts in their order, each with its class, state, identity rule and properties.
bool CheckLoader::LoadParts()
{
    const bool parts = Each(
        "SELECT p.ordinal, k.class_name, p.state, k.identity, n.property, p.set_id FROM store_checks c"
        " JOIN store_part_list_members p ON p.list_id = c.part_list_id"
        " JOIN store_columns k ON k.id = p.columns_id"
        " LEFT JOIN store_column_names n ON n.columns_id = k.id"
        " WHERE c.id = ?",
        0,
        [this](DbStatement& row) {
            if (!PartOf(row.Int(0))) {
                partOf_[row.Int(0)] = check_.parts.size();
                partOfSet_.emplace(row.Int(5), check_.parts.size());
                setOf_.push_back(row.Int(5));
                volatileCells_.emplace_back();
                StoredPart part;
                part.className = row.Text(1);
                part.state = static_cast<PartState>(row.Int(2));
                part.identityRule = row.Text(3);
                check_.parts.push_back(std::move(part));
            }
            if (!row.IsNull(4))
                check_.parts.back().properties.push_back(row.Text(4));
        },
        " ORDER BY p.ordinal, n.position");
    if (!parts || !LoadObjects())
        return false;
    TakeSharedParts();
    return LoadCells("SELECT p.ordinal, m.position, x.position, x.vartype, x.raw_kind, x.raw, x.shown"
                     " FROM store_checks c JOIN store_part_list_members p ON p.list_id = c.part_list_id"
                     " JOIN store_set_members m ON m.set_id = p.set_id"
                     " JOIN store_cells x ON x.object_id = m.object_id WHERE c.id = ?",
                     false) &&
           LoadCells("SELECT v.ordinal, m.member, x.position, x.vartype, x.raw_kind, x.raw, x.shown"
                     " FROM store_check_volatile v JOIN store_volatile_members m ON m.set_id = v.set_id"
                     " JOIN store_volatile_cells x ON x.group_id = m.group_id WHERE v.check_id = ?",
                     true);
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

LoadResult LoadCheckPair(StatementCache& statements, int64_t firstId, int64_t secondId, StoredCheck& first,
                         StoredCheck& second)
{
    first = StoredCheck{};
    second = StoredCheck{};
    LoadResult header = LoadCheckHeader(statements, firstId, first.header);
    if (header == LoadResult::Loaded)
        header = LoadCheckHeader(statements, secondId, second.header);
    if (header != LoadResult::Loaded)
        return header;
    CheckLoader firstLoader(statements, first);
    if (!firstLoader.LoadParts())
        return LoadResult::Failed;
    CheckLoader secondLoader(statements, second, &firstLoader);
    return secondLoader.LoadParts() ? LoadResult::Loaded : LoadResult::Failed;
}
