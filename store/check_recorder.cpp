#include "store/check_recorder.h"

#include <algorithm>
#include <map>

#include "base/text_util.h"
#include "store/check_comparison.h"
#include "store/check_reader.h"
#include "store/content_digest.h"
#include "store/object_identity.h"
#include "store/raw_cell.h"
#include "store/store_statements.h"

namespace {

// What a part will be written as: digests first (nothing of them needs the database),
// then the row ids they turn out to have.
struct PartPlan {
    const StoredPart* part = nullptr;
    std::vector<bool> volatilePositions;
    std::vector<std::vector<RawCellText>> raws;   // per object, per position
    std::string columnsDigest;
    std::vector<std::string> objectDigests;
    std::string setDigest;
    int64_t columnsId = 0;
    int64_t setId = 0;
};

bool IsEmptyCell(const StoredCell& cell, const RawCellText& raw)
{
    return raw.kind == RawKind::Null && cell.text.empty() && cell.raw.vartype == VT_NULL;
}

PartPlan PlanPart(const StoredPart& part)
{
    PartPlan plan;
    plan.part = &part;
    const bool volatileClass = IsVolatileClass(part.className);
    for (const std::string& property : part.properties)
        plan.volatilePositions.push_back(!volatileClass && IsVolatileProperty(part.className, property));

    ContentDigest columns;
    columns.Add(part.className);
    columns.Add(part.identityRule);
    columns.Add(static_cast<int64_t>(part.properties.size()));
    for (const std::string& property : part.properties)
        columns.Add(property);
    plan.columnsDigest = columns.Hex();

    ContentDigest set;
    set.Add(static_cast<int64_t>(part.objects.size()));
    for (const StoredObject& object : part.objects) {
        std::vector<RawCellText> raws;
        ContentDigest digest;
        digest.Add(plan.columnsDigest);
        digest.Add(object.identity);
        for (size_t position = 0; position < part.properties.size(); ++position) {
            const StoredCell& cell = position < object.cells.size() ? object.cells[position] : StoredCell{};
            raws.push_back(EncodeRaw(cell.raw));
            if (plan.volatilePositions[position] || IsEmptyCell(cell, raws.back()))
                continue;
            digest.Add(static_cast<int64_t>(position));
            digest.Add(static_cast<int64_t>(cell.raw.vartype));
            digest.Add(static_cast<int64_t>(raws.back().kind));
            digest.Add(raws.back().text);
            digest.Add(cell.text);
        }
        plan.objectDigests.push_back(digest.Hex());
        set.Add(plan.objectDigests.back());
        plan.raws.push_back(std::move(raws));
    }
    plan.setDigest = set.Hex();
    return plan;
}

// The id of the row whose digest is `digest`; 0 when there is none, -1 on failure.
int64_t IdOfDigest(StatementCache& statements, const char* sql, const std::string& digest)
{
    DbStatement* select = statements.Get(sql);
    if (!select)
        return -1;
    select->BindText(1, digest);
    const DbStep step = select->Step();
    return step == DbStep::Row ? select->Int(0) : step == DbStep::Done ? 0 : -1;
}

// Runs an INSERT ... RETURNING id; 0 when the row was not inserted (another writer's row
// has the same key), -1 on failure.
int64_t InsertedId(DbStatement* insert)
{
    if (!insert)
        return -1;
    const DbStep step = insert->Step();
    const int64_t id = step == DbStep::Row ? insert->Int(0) : step == DbStep::Done ? 0 : -1;
    if (step == DbStep::Row && insert->Step() == DbStep::Error)
        return -1;
    return id;
}

void BindCell(DbStatement& insert, int first, const StoredCell& cell, const RawCellText& raw)
{
    insert.BindInt(first, cell.raw.vartype);
    insert.BindInt(first + 1, static_cast<int>(raw.kind));
    if (raw.kind == RawKind::Null)
        insert.BindNull(first + 2);
    else
        insert.BindText(first + 2, raw.text);
    insert.BindText(first + 3, cell.text);
}

class CheckWriter {
public:
    CheckWriter(StatementCache& statements, StoredCheck& check) : statements_(statements), check_(check) {}
    bool Write();

private:
    bool WriteComputerAndCheck();
    bool WriteColumns(PartPlan& plan);
    bool WriteObjects();
    bool WriteSet(PartPlan& plan);
    bool WritePart(const PartPlan& plan, int ordinal);

    StatementCache& statements_;
    StoredCheck& check_;
    std::vector<PartPlan> plans_;
    std::map<std::string, int64_t> objectIds_;   // by digest
};

bool CheckWriter::WriteComputerAndCheck()
{
    StoredCheckHeader& header = check_.header;
    const std::string key = IdentityMatchKey(header.computer);
    DbStatement* insert = statements_.Get(
        "INSERT INTO store_computers (name, name_key) VALUES (?, ?) ON CONFLICT (name_key) DO NOTHING");
    if (!insert)
        return false;
    insert->BindText(1, header.computer);
    insert->BindText(2, key);
    if (insert->Step() == DbStep::Error)
        return false;
    const int64_t computerId = IdOfDigest(statements_, "SELECT id FROM store_computers WHERE name_key = ?", key);
    if (computerId <= 0)
        return false;
    // Writers of one computer's checks take turns: each reads the checks before and after
    // its own to record what changed, and must see those of the others.
    if (const char* lock = StatementsFor(statements_.Db().Dialect()).lockComputer; *lock) {
        DbStatement* select = statements_.Get(lock);
        if (!select)
            return false;
        select->BindInt(1, computerId);
        if (select->Step() != DbStep::Row)
            return false;
    }
    DbStatement* check = statements_.Get(
        "INSERT INTO store_checks (computer_id, target, checked_at, checked_epoch, local_time, utc_offset, kind,"
        " account, result, error_code, message, complete, seconds, source, language)"
        " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?) RETURNING id");
    if (!check)
        return false;
    int column = 0;
    check->BindInt(++column, computerId);
    check->BindText(++column, header.target);
    check->BindText(++column, header.checkedAt.utc);
    check->BindInt(++column, header.checkedAt.epoch);
    check->BindText(++column, header.checkedAt.local);
    check->BindInt(++column, header.checkedAt.offsetMinutes);
    check->BindText(++column, header.kind);
    check->BindText(++column, header.account);
    check->BindText(++column, header.result);
    check->BindInt(++column, header.errorCode);
    check->BindText(++column, header.message);
    check->BindInt(++column, header.complete ? 1 : 0);
    check->BindReal(++column, header.seconds);
    check->BindText(++column, header.source);
    check->BindInt(++column, header.language);
    header.id = InsertedId(check);
    return header.id > 0;
}

bool CheckWriter::WriteColumns(PartPlan& plan)
{
    static constexpr char kSelect[] = "SELECT id FROM store_columns WHERE digest = ?";
    plan.columnsId = IdOfDigest(statements_, kSelect, plan.columnsDigest);
    if (plan.columnsId != 0)
        return plan.columnsId > 0;
    DbStatement* insert = statements_.Get(
        "INSERT INTO store_columns (digest, class_name, identity) VALUES (?, ?, ?)"
        " ON CONFLICT (digest) DO NOTHING RETURNING id");
    if (!insert)
        return false;
    insert->BindText(1, plan.columnsDigest);
    insert->BindText(2, plan.part->className);
    insert->BindText(3, plan.part->identityRule);
    plan.columnsId = InsertedId(insert);
    if (plan.columnsId == 0)   // another writer's, meanwhile
        plan.columnsId = IdOfDigest(statements_, kSelect, plan.columnsDigest);
    else if (plan.columnsId > 0) {
        for (size_t position = 0; position < plan.part->properties.size(); ++position) {
            DbStatement* name = statements_.Get(
                "INSERT INTO store_column_names (columns_id, position, property) VALUES (?, ?, ?)");
            if (!name)
                return false;
            name->BindInt(1, plan.columnsId);
            name->BindInt(2, static_cast<int64_t>(position));
            name->BindText(3, plan.part->properties[position]);
            if (name->Step() != DbStep::Done)
                return false;
        }
    }
    return plan.columnsId > 0;
}

// The objects of every set not yet stored, each once, in the order of their digests:
// two writers of a server database then never wait for each other in a circle.
bool CheckWriter::WriteObjects()
{
    struct Source {
        const PartPlan* plan;
        size_t index;
    };
    std::map<std::string, Source> wanted;
    for (const PartPlan& plan : plans_) {
        if (plan.setId > 0)
            continue;
        for (size_t i = 0; i < plan.objectDigests.size(); ++i)
            wanted.emplace(plan.objectDigests[i], Source{&plan, i});
    }
    static constexpr char kSelect[] = "SELECT id FROM store_objects WHERE digest = ?";
    for (const auto& [digest, source] : wanted) {
        int64_t id = IdOfDigest(statements_, kSelect, digest);
        if (id < 0)
            return false;
        if (id == 0) {
            const StoredPart& part = *source.plan->part;
            const StoredObject& object = part.objects[source.index];
            DbStatement* insert = statements_.Get(
                "INSERT INTO store_objects (digest, columns_id, identity) VALUES (?, ?, ?)"
                " ON CONFLICT (digest) DO NOTHING RETURNING id");
            if (!insert)
                return false;
            insert->BindText(1, digest);
            insert->BindInt(2, source.plan->columnsId);
            insert->BindText(3, object.identity);
            id = InsertedId(insert);
            if (id == 0)
                id = IdOfDigest(statements_, kSelect, digest);
            else if (id > 0) {
                const std::vector<RawCellText>& raws = source.plan->raws[source.index];
                for (size_t position = 0; position < raws.size(); ++position) {
                    const StoredCell& cell = object.cells[position];
                    if (source.plan->volatilePositions[position] || IsEmptyCell(cell, raws[position]))
                        continue;
                    DbStatement* cells = statements_.Get(
                        "INSERT INTO store_cells (object_id, position, vartype, raw_kind, raw, shown)"
                        " VALUES (?, ?, ?, ?, ?, ?)");
                    if (!cells)
                        return false;
                    cells->BindInt(1, id);
                    cells->BindInt(2, static_cast<int64_t>(position));
                    BindCell(*cells, 3, cell, raws[position]);
                    if (cells->Step() != DbStep::Done)
                        return false;
                }
            }
            if (id <= 0)
                return false;
        }
        objectIds_.emplace(digest, id);
    }
    return true;
}

bool CheckWriter::WriteSet(PartPlan& plan)
{
    if (plan.setId > 0)
        return true;
    static constexpr char kSelect[] = "SELECT id FROM store_sets WHERE digest = ?";
    DbStatement* insert = statements_.Get(
        "INSERT INTO store_sets (digest, object_count) VALUES (?, ?) ON CONFLICT (digest) DO NOTHING RETURNING id");
    if (!insert)
        return false;
    insert->BindText(1, plan.setDigest);
    insert->BindInt(2, static_cast<int64_t>(plan.objectDigests.size()));
    plan.setId = InsertedId(insert);
    if (plan.setId == 0) {
        plan.setId = IdOfDigest(statements_, kSelect, plan.setDigest);
        return plan.setId > 0;
    }
    if (plan.setId < 0)
        return false;
    for (size_t position = 0; position < plan.objectDigests.size(); ++position) {
        DbStatement* member = statements_.Get(
            "INSERT INTO store_set_members (set_id, position, object_id) VALUES (?, ?, ?)");
        if (!member)
            return false;
        member->BindInt(1, plan.setId);
        member->BindInt(2, static_cast<int64_t>(position));
        member->BindInt(3, objectIds_.at(plan.objectDigests[position]));
        if (member->Step() != DbStep::Done)
            return false;
    }
    return true;
}

bool CheckWriter::WritePart(const PartPlan& plan, int ordinal)
{
    DbStatement* part = statements_.Get(
        "INSERT INTO store_parts (check_id, ordinal, class_name, state, columns_id, set_id) VALUES (?, ?, ?, ?, ?, ?)");
    if (!part)
        return false;
    part->BindInt(1, check_.header.id);
    part->BindInt(2, ordinal);
    part->BindText(3, plan.part->className);
    part->BindInt(4, static_cast<int>(plan.part->state));
    part->BindInt(5, plan.columnsId);
    part->BindInt(6, plan.setId);
    if (part->Step() != DbStep::Done)
        return false;
    for (size_t member = 0; member < plan.part->objects.size(); ++member) {
        const StoredObject& object = plan.part->objects[member];
        for (size_t position = 0; position < plan.volatilePositions.size(); ++position) {
            const RawCellText& raw = plan.raws[member][position];
            if (!plan.volatilePositions[position] || position >= object.cells.size() ||
                IsEmptyCell(object.cells[position], raw))
                continue;
            DbStatement* cell = statements_.Get(
                "INSERT INTO store_volatile (check_id, ordinal, member, position, vartype, raw_kind, raw, shown)"
                " VALUES (?, ?, ?, ?, ?, ?, ?, ?)");
            if (!cell)
                return false;
            cell->BindInt(1, check_.header.id);
            cell->BindInt(2, ordinal);
            cell->BindInt(3, static_cast<int64_t>(member));
            cell->BindInt(4, static_cast<int64_t>(position));
            BindCell(*cell, 5, object.cells[position], raw);
            if (cell->Step() != DbStep::Done)
                return false;
        }
    }
    return true;
}

bool CheckWriter::Write()
{
    if (!WriteComputerAndCheck())
        return false;
    for (const StoredPart& part : check_.parts)
        plans_.push_back(PlanPart(part));
    for (PartPlan& plan : plans_) {
        if (!WriteColumns(plan))
            return false;
        plan.setId = IdOfDigest(statements_, "SELECT id FROM store_sets WHERE digest = ?", plan.setDigest);
        if (plan.setId < 0)
            return false;
    }
    if (!WriteObjects())
        return false;
    // Sets in digest order too, for the same reason as the objects.
    std::vector<PartPlan*> bySet;
    for (PartPlan& plan : plans_)
        bySet.push_back(&plan);
    std::sort(bySet.begin(), bySet.end(), [](const PartPlan* a, const PartPlan* b) { return a->setDigest < b->setDigest; });
    for (PartPlan* plan : bySet)
        if (!WriteSet(*plan))
            return false;
    for (size_t ordinal = 0; ordinal < plans_.size(); ++ordinal)
        if (!WritePart(plans_[ordinal], static_cast<int>(ordinal)))
            return false;
    return true;
}

// The check of the same computer and kind that read something and came last before
// `checkId` (or first after it); 0 for none, -1 on failure.
int64_t Neighbour(StatementCache& statements, int64_t checkId, bool before)
{
    static constexpr char kBefore[] =
        "SELECT c.id FROM store_checks c, store_checks t WHERE t.id = ? AND c.computer_id = t.computer_id"
        " AND c.kind = t.kind AND c.id <> t.id"
        " AND (c.checked_epoch < t.checked_epoch OR (c.checked_epoch = t.checked_epoch AND c.id < t.id))"
        " AND EXISTS (SELECT 1 FROM store_parts p WHERE p.check_id = c.id AND p.state <> 2)"
        " ORDER BY c.checked_epoch DESC, c.id DESC LIMIT 1";
    static constexpr char kAfter[] =
        "SELECT c.id FROM store_checks c, store_checks t WHERE t.id = ? AND c.computer_id = t.computer_id"
        " AND c.kind = t.kind AND c.id <> t.id"
        " AND (c.checked_epoch > t.checked_epoch OR (c.checked_epoch = t.checked_epoch AND c.id > t.id))"
        " AND EXISTS (SELECT 1 FROM store_parts p WHERE p.check_id = c.id AND p.state <> 2)"
        " ORDER BY c.checked_epoch, c.id LIMIT 1";
    DbStatement* select = statements.Get(before ? kBefore : kAfter);
    if (!select)
        return -1;
    select->BindInt(1, checkId);
    const DbStep step = select->Step();
    return step == DbStep::Row ? select->Int(0) : step == DbStep::Done ? 0 : -1;
}

const char* ChangeKindKey(ChangeKind kind)
{
    switch (kind) {
    case ChangeKind::Added:
        return "added";
    case ChangeKind::Removed:
        return "removed";
    case ChangeKind::Changed:
        break;
    }
    return "changed";
}

void BindOptionalText(DbStatement& statement, int index, bool present, const std::string& text)
{
    if (present)
        statement.BindText(index, text);
    else
        statement.BindNull(index);
}

bool InsertChanges(StatementCache& statements, const CheckComparison& comparison)
{
    int64_t seq = 0;
    for (const PartComparison& part : comparison.parts) {
        for (const ObjectChange& change : part.changes) {
            DbStatement* insert = statements.Get(
                "INSERT INTO store_changes (check_id, seq, previous_id, class_name, identity, change, property,"
                " before_text, after_text, before_raw, after_raw, volatile) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
            if (!insert)
                return false;
            const bool changed = change.kind == ChangeKind::Changed;
            const RawCellText before = EncodeRaw(change.before.raw), after = EncodeRaw(change.after.raw);
            insert->BindInt(1, comparison.after.id);
            insert->BindInt(2, ++seq);
            insert->BindInt(3, comparison.before.id);
            insert->BindText(4, change.className);
            insert->BindText(5, change.identity);
            insert->BindText(6, ChangeKindKey(change.kind));
            insert->BindText(7, change.property);
            BindOptionalText(*insert, 8, changed, change.before.text);
            BindOptionalText(*insert, 9, changed, change.after.text);
            BindOptionalText(*insert, 10, changed && before.kind != RawKind::Null, before.text);
            BindOptionalText(*insert, 11, changed && after.kind != RawKind::Null, after.text);
            insert->BindInt(12, change.isVolatile ? 1 : 0);
            if (insert->Step() != DbStep::Done)
                return false;
        }
    }
    return true;
}

bool SetChangeCount(StatementCache& statements, int64_t checkId, int64_t count)
{
    DbStatement* update = statements.Get("UPDATE store_checks SET changes = ? WHERE id = ?");
    if (!update)
        return false;
    if (count < 0)
        update->BindNull(1);
    else
        update->BindInt(1, count);
    update->BindInt(2, checkId);
    return update->Step() == DbStep::Done;
}

// The changes of `check` (loaded or just written) against the check before it.
bool ChangesOf(StatementCache& statements, const StoredCheck& check)
{
    DbStatement* remove = statements.Get("DELETE FROM store_changes WHERE check_id = ?");
    if (!remove)
        return false;
    remove->BindInt(1, check.header.id);
    if (remove->Step() != DbStep::Done)
        return false;
    const int64_t previousId = Neighbour(statements, check.header.id, true);
    if (previousId < 0)
        return false;
    bool readSomething = false;
    for (const StoredPart& part : check.parts)
        readSomething = readSomething || part.state != PartState::NotRead;
    if (previousId == 0 || !readSomething)
        return SetChangeCount(statements, check.header.id, -1);
    StoredCheck previous;
    if (LoadCheck(statements, previousId, previous) != LoadResult::Loaded)
        return false;
    const CheckComparison comparison = CompareChecks(previous, check);
    return InsertChanges(statements, comparison) &&
           SetChangeCount(statements, check.header.id, comparison.ChangeCount(false));
}

}  // namespace

bool CheckRecorder::RecordChanges(int64_t checkId)
{
    StoredCheck check;
    return LoadCheck(statements_, checkId, check) == LoadResult::Loaded && ChangesOf(statements_, check);
}

bool CheckRecorder::Write(StoredCheck& check)
{
    CheckWriter writer(statements_, check);
    if (!writer.Write() || !ChangesOf(statements_, check))
        return false;
    // A check recorded after a later one (an import) sits between two: the later one's
    // changes are now against this one.
    const int64_t next = Neighbour(statements_, check.header.id, false);
    return next == 0 || (next > 0 && RecordChanges(next));
}

bool CheckRecorder::Record(StoredCheck& check)
{
    DbTransaction transaction(statements_.Db());
    if (!transaction.IsOpen())
        return false;
    const int64_t id = check.header.id;
    if (!Write(check) || !transaction.Commit()) {
        check.header.id = id;
        return false;
    }
    DbStatement* changes = statements_.Get("SELECT changes FROM store_checks WHERE id = ?");
    if (changes) {
        changes->BindInt(1, check.header.id);
        if (changes->Step() == DbStep::Row)
            check.header.changes = changes->IsNull(0) ? -1 : changes->Int(0);
    }
    return true;
}
