#include "store/check_recorder.h"

#include <algorithm>
#include <map>

#include "base/text_util.h"
#include "store/check_comparison.h"
#include "store/check_computer.h"
#include "store/check_lists.h"
#include "store/check_reader.h"
#include "store/content_digest.h"
#include "store/latest_rows.h"
#include "store/object_identity.h"
#include "store/raw_cell.h"
#include "db/row_batch.h"
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
    bool digested = false;   // every digest made (the system's hash answered)
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
    const auto missing = [](const std::string& digest) { return digest.empty(); };
    plan.digested = !missing(plan.columnsDigest) && !missing(plan.setDigest) &&
                    std::none_of(plan.objectDigests.begin(), plan.objectDigests.end(), missing);
    return plan;
}

// A text, or null when there is none.
DbValue OptionalText(bool present, const std::string& text)
{
    DbValue value;
    if (present)
        value.emplace<std::string>(text);
    return value;
}

// The values of a cell's row: `first` (its keys), then its VARIANT type, raw kind, raw
// text (null for none) and shown text.
std::vector<DbValue> CellRow(std::vector<DbValue> first, const StoredCell& cell, const RawCellText& raw)
{
    first.emplace_back(static_cast<int64_t>(cell.raw.vartype));
    first.emplace_back(static_cast<int64_t>(raw.kind));
    first.emplace_back(OptionalText(raw.kind != RawKind::Null, raw.text));
    first.emplace_back(std::in_place_type<std::string>, cell.text);
    return first;
}

// The content of a check as two checks compare for "the same check": its kind, how it
// ended, and per part what the part's digests cover plus its volatile values.
std::string CheckContent(const StoredCheck& check, const std::vector<PartPlan>& plans)
{
    ContentDigest digest;
    digest.Add(check.header.kind);
    digest.Add(check.header.result);
    digest.Add(static_cast<int64_t>(check.header.complete ? 1 : 0));
    digest.Add(static_cast<int64_t>(plans.size()));
    for (const PartPlan& plan : plans) {
        digest.Add(plan.columnsDigest);
        digest.Add(plan.setDigest);
        digest.Add(static_cast<int64_t>(plan.part->state));
        for (size_t member = 0; member < plan.part->objects.size(); ++member) {
            const StoredObject& object = plan.part->objects[member];
            for (size_t position = 0; position < plan.volatilePositions.size() && position < object.cells.size();
                 ++position) {
                const RawCellText& raw = plan.raws[member][position];
                const StoredCell& cell = object.cells[position];
                if (!plan.volatilePositions[position] || IsEmptyCell(cell, raw))
                    continue;
                digest.Add(static_cast<int64_t>(member));
                digest.Add(static_cast<int64_t>(position));
                digest.Add(static_cast<int64_t>(cell.raw.vartype));
                digest.Add(static_cast<int64_t>(raw.kind));
                digest.Add(raw.text);
                digest.Add(cell.text);
            }
        }
    }
    return digest.Hex();
}

std::string CheckContent(const StoredCheck& check)
{
    std::vector<PartPlan> plans;
    for (const StoredPart& part : check.parts)
        plans.push_back(PlanPart(part));
    return CheckContent(check, plans);
}

class CheckWriter {
public:
    CheckWriter(StatementCache& statements, StoredCheck& check, RecordMode mode)
        : statements_(statements), check_(check), copy_(mode == RecordMode::Copy), justRead_(mode == RecordMode::JustRead)
    {
    }
    bool Write();
    // The number of the same check found in the store instead of writing it; 0 when written.
    int64_t AlreadyStored() const { return alreadyStored_; }
    // The computer the check is filed under.
    int64_t ComputerId() const { return computerId_; }

private:
    bool WriteComputer();
    bool FindSameCheck();
    bool ChooseNumber(int64_t& number);
    bool WriteCheck();
    bool WriteColumns();
    bool WriteObjects(const std::map<std::string, int64_t>& setIds);
    bool WriteSets();
    bool WriteVolatile();

    StatementCache& statements_;
    StoredCheck& check_;
    std::vector<PartPlan> plans_;
    std::map<std::string, int64_t> objectIds_;   // by digest
    int64_t computerId_ = 0;
    bool copy_ = false;
    bool justRead_ = false;
    int64_t alreadyStored_ = 0;
};

// The check of the same computer and kind that read something and came last before
// `checkId` (or first after it); 0 for none, -1 on failure.
int64_t Neighbour(StatementCache& statements, int64_t checkId, bool before)
{
    static constexpr char kBefore[] =
        "SELECT c.id FROM store_checks c, store_checks t WHERE t.id = ? AND c.computer_id = t.computer_id"
        " AND c.kind = t.kind AND c.id <> t.id"
        " AND (c.checked_epoch < t.checked_epoch OR (c.checked_epoch = t.checked_epoch AND c.id < t.id))"
        " AND " KEPT_CHECK_READ_SOMETHING " ORDER BY c.checked_epoch DESC, c.id DESC LIMIT 1";
    static constexpr char kAfter[] =
        "SELECT c.id FROM store_checks c, store_checks t WHERE t.id = ? AND c.computer_id = t.computer_id"
        " AND c.kind = t.kind AND c.id <> t.id"
        " AND (c.checked_epoch > t.checked_epoch OR (c.checked_epoch = t.checked_epoch AND c.id > t.id))"
        " AND " KEPT_CHECK_READ_SOMETHING " ORDER BY c.checked_epoch, c.id LIMIT 1";
    StatementLease select = statements.Get(before ? kBefore : kAfter);
    if (!select)
        return -1;
    select->BindInt(1, checkId);
    const DbStep step = select->Step();
    return step == DbStep::Row ? select->Int(0) : step == DbStep::Done ? 0 : -1;
}

bool CheckWriter::WriteComputer()
{
    computerId_ = FileComputer(statements_, check_.header, copy_);
    if (computerId_ <= 0)
        return false;
    // Writers of one computer's checks take turns: each reads the checks before and after
    // its own to record what changed, and must see those of the others.
    if (const char* lock = StatementsFor(statements_.Db().Dialect()).lockComputer; *lock) {
        StatementLease select = statements_.Get(lock);
        if (!select)
            return false;
        select->BindInt(1, computerId_);
        return select->Step() == DbStep::Row;
    }
    return true;
}

// A check of the same computer, time and kind with the same content is the same check
// (imported twice, copied again): its number is kept instead of writing it once more.
bool CheckWriter::FindSameCheck()
{
    std::vector<int64_t> candidates;
    {
        StatementLease select = statements_.Get(
            "SELECT id FROM store_checks WHERE computer_id = ? AND kind = ? AND checked_epoch = ? ORDER BY id");
        if (!select)
            return false;
        select->BindInt(1, computerId_);
        select->BindText(2, check_.header.kind);
        select->BindInt(3, check_.header.checkedAt.epoch);
        DbStep step;
        while ((step = select->Step()) == DbStep::Row)
            candidates.push_back(select->Int(0));
        if (step == DbStep::Error)
            return false;
    }
    if (candidates.empty())
        return true;
    const std::string content = CheckContent(check_, plans_);
    if (content.empty())
        return false;   // the system's hash failed
    for (int64_t id : candidates) {
        StoredCheck stored;
        if (LoadCheck(statements_, id, stored) != LoadResult::Loaded)
            return false;
        const std::string storedContent = CheckContent(stored);
        if (storedContent.empty())
            return false;
        if (storedContent == content) {
            alreadyStored_ = id;
            return true;
        }
    }
    return true;
}

// The number a copied check keeps when the store never gave it (0: the next one).
bool CheckWriter::ChooseNumber(int64_t& number)
{
    number = 0;
    if (!copy_ || check_.header.id <= 0)
        return true;
    StatementLease highest = statements_.Get(StatementsFor(statements_.Db().Dialect()).highestCheckNumber);
    if (!highest || highest->Step() != DbStep::Row)
        return false;
    if (check_.header.id > highest->Int(0))
        number = check_.header.id;
    return true;
}

// The check's row, naming its list of parts (stored first, when new).
bool CheckWriter::WriteCheck()
{
    std::vector<PartListEntry> entries;
    for (const PartPlan& plan : plans_)
        entries.push_back({static_cast<int64_t>(plan.part->state), plan.columnsId, plan.setId, plan.columnsDigest,
                           plan.setDigest});
    const int64_t partList = StorePartList(statements_, entries);
    if (partList <= 0)
        return false;
    int64_t number = 0;
    if (!ChooseNumber(number))
        return false;
    StoredCheckHeader& header = check_.header;
    StatementLease check = statements_.Get(
        number > 0 ? "INSERT INTO store_checks (computer_id, target, target_key, identified, domain, checked_at,"
                     " checked_epoch, local_time, utc_offset, kind, account, result, error_code, message, complete,"
                     " seconds, source, language, part_list_id, id)"
                     " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?) RETURNING id"
                   : "INSERT INTO store_checks (computer_id, target, target_key, identified, domain, checked_at,"
                     " checked_epoch, local_time, utc_offset, kind, account, result, error_code, message, complete,"
                     " seconds, source, language, part_list_id)"
                     " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?) RETURNING id");
    if (!check)
        return false;
    int column = 0;
    check->BindInt(++column, computerId_);
    check->BindText(++column, header.target);
    check->BindText(++column, TypedNameKey(header.target));
    check->BindInt(++column, header.identified ? 1 : 0);
    if (header.identified)
        check->BindText(++column, header.domain);
    else
        check->BindNull(++column);
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
    check->BindInt(++column, partList);
    if (number > 0)
        check->BindInt(++column, number);
    header.id = InsertedId(check);
    if (header.id <= 0)
        return false;
    const char* claim = StatementsFor(statements_.Db().Dialect()).claimCheckNumber;
    if (number <= 0 || !*claim)
        return true;
    StatementLease next = statements_.Get(claim);
    if (!next)
        return false;
    next->BindInt(1, number);
    return next->Step() == DbStep::Row;
}

bool CheckWriter::WriteColumns()
{
    DigestRows rows;
    std::map<std::string, const StoredPart*> parts;
    for (const PartPlan& plan : plans_) {
        rows.emplace(plan.columnsDigest, std::vector<DbValue>{plan.columnsDigest, plan.part->className, plan.part->identityRule});
        parts.emplace(plan.columnsDigest, plan.part);
    }
    std::map<std::string, int64_t> ids;
    std::vector<std::string> inserted;
    if (!IdsOfDigests(statements_, "store_columns", Keys(rows), ids) ||
        !InsertMissing(statements_, "store_columns", "INSERT INTO store_columns (digest, class_name, identity)", rows,
                       ids, inserted))
        return false;
    RowBatch names(statements_, "INSERT INTO store_column_names (columns_id, position, property)", 3);
    for (const std::string& digest : inserted) {
        const std::vector<std::string>& properties = parts.at(digest)->properties;
        for (size_t position = 0; position < properties.size(); ++position)
            names.Add({ids.at(digest), static_cast<int64_t>(position), properties[position]});
    }
    for (PartPlan& plan : plans_)
        plan.columnsId = ids.at(plan.columnsDigest);
    return names.Run();
}

// The objects of every set not yet stored, each once.
bool CheckWriter::WriteObjects(const std::map<std::string, int64_t>& setIds)
{
    struct Source {
        const PartPlan* plan;
        size_t index;
    };
    std::map<std::string, Source> sources;
    DigestRows rows;
    for (const PartPlan& plan : plans_) {
        if (setIds.count(plan.setDigest))
            continue;
        for (size_t i = 0; i < plan.objectDigests.size(); ++i) {
            sources.emplace(plan.objectDigests[i], Source{&plan, i});
            rows.emplace(plan.objectDigests[i],
                         std::vector<DbValue>{plan.objectDigests[i], plan.columnsId, plan.part->objects[i].identity});
        }
    }
    std::vector<std::string> inserted;
    if (!IdsOfDigests(statements_, "store_objects", Keys(rows), objectIds_) ||
        !InsertMissing(statements_, "store_objects", "INSERT INTO store_objects (digest, columns_id, identity)", rows,
                       objectIds_, inserted))
        return false;
    RowBatch cells(statements_, "INSERT INTO store_cells (object_id, position, vartype, raw_kind, raw, shown)", 6);
    for (const std::string& digest : inserted) {
        const Source& source = sources.at(digest);
        const StoredObject& object = source.plan->part->objects[source.index];
        const std::vector<RawCellText>& raws = source.plan->raws[source.index];
        for (size_t position = 0; position < raws.size(); ++position) {
            const StoredCell missing;
            const StoredCell& cell = position < object.cells.size() ? object.cells[position] : missing;
            if (source.plan->volatilePositions[position] || IsEmptyCell(cell, raws[position]))
                continue;
            cells.Add(CellRow({objectIds_.at(digest), static_cast<int64_t>(position)}, cell, raws[position]));
        }
    }
    return cells.Run();
}

bool CheckWriter::WriteSets()
{
    std::map<std::string, int64_t> ids;
    DigestRows rows;
    std::map<std::string, const PartPlan*> plans;
    for (const PartPlan& plan : plans_) {
        rows.emplace(plan.setDigest, std::vector<DbValue>{plan.setDigest, static_cast<int64_t>(plan.objectDigests.size())});
        plans.emplace(plan.setDigest, &plan);
    }
    if (!IdsOfDigests(statements_, "store_sets", Keys(rows), ids) || !WriteObjects(ids))
        return false;
    std::vector<std::string> inserted;
    if (!InsertMissing(statements_, "store_sets", "INSERT INTO store_sets (digest, object_count)", rows, ids, inserted))
        return false;
    RowBatch members(statements_, "INSERT INTO store_set_members (set_id, position, object_id)", 3);
    for (const std::string& digest : inserted) {
        const std::vector<std::string>& objects = plans.at(digest)->objectDigests;
        for (size_t position = 0; position < objects.size(); ++position)
            members.Add({ids.at(digest), static_cast<int64_t>(position), objectIds_.at(objects[position])});
    }
    for (PartPlan& plan : plans_)
        plan.setId = ids.at(plan.setDigest);
    return members.Run();
}

// The volatile values, shared with the check before where they are the same.
bool CheckWriter::WriteVolatile()
{
    std::vector<VolatilePart> parts;
    for (size_t ordinal = 0; ordinal < plans_.size(); ++ordinal) {
        const PartPlan& plan = plans_[ordinal];
        VolatilePart part{static_cast<int64_t>(ordinal), {}};
        for (size_t member = 0; member < plan.part->objects.size(); ++member) {
            const StoredObject& object = plan.part->objects[member];
            std::vector<EncodedCell> cells;
            for (size_t position = 0; position < plan.volatilePositions.size() && position < object.cells.size();
                 ++position) {
                const RawCellText& raw = plan.raws[member][position];
                const StoredCell& cell = object.cells[position];
                if (plan.volatilePositions[position] && !IsEmptyCell(cell, raw))
                    cells.push_back({static_cast<int64_t>(position), static_cast<int64_t>(cell.raw.vartype),
                                     static_cast<int64_t>(raw.kind), OptionalText(raw.kind != RawKind::Null, raw.text),
                                     cell.text});
            }
            if (!cells.empty())
                part.members.emplace_back(static_cast<int64_t>(member), std::move(cells));
        }
        if (!part.members.empty())
            parts.push_back(std::move(part));
    }
    const int64_t previous = parts.empty() ? 0 : Neighbour(statements_, check_.header.id, true);
    return previous >= 0 && StoreVolatileValues(statements_, check_.header.id, previous, parts);
}

bool CheckWriter::Write()
{
    if (!WriteComputer())
        return false;
    for (const StoredPart& part : check_.parts) {
        plans_.push_back(PlanPart(part));
        if (!plans_.back().digested)
            return false;
    }
    if (!justRead_ && !FindSameCheck())
        return false;
    if (alreadyStored_ > 0)
        return true;
    return WriteColumns() && WriteSets() && WriteCheck() && WriteVolatile();
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

bool InsertChanges(StatementCache& statements, const CheckComparison& comparison)
{
    RowBatch rows(statements,
                  "INSERT INTO store_changes (check_id, seq, previous_id, class_name, identity, change, property,"
                  " before_text, after_text, before_raw, after_raw, volatile)", 12);
    int64_t seq = 0;
    for (const PartComparison& part : comparison.parts) {
        for (const ObjectChange& change : part.changes) {
            if (change.isVolatile)
                continue;   // recomputed from the stored values when asked for
            const bool changed = change.kind == ChangeKind::Changed;
            const RawCellText before = EncodeRaw(change.before.raw), after = EncodeRaw(change.after.raw);
            rows.Add({comparison.after.id, ++seq, comparison.before.id, change.className, change.identity,
                      std::string(ChangeKindKey(change.kind)), change.property,
                      OptionalText(changed, change.before.text), OptionalText(changed, change.after.text),
                      OptionalText(changed && before.kind != RawKind::Null, before.text),
                      OptionalText(changed && after.kind != RawKind::Null, after.text),
                      static_cast<int64_t>(change.isVolatile ? 1 : 0)});
        }
    }
    return rows.Run();
}

bool SetChangeCount(StatementCache& statements, int64_t checkId, int64_t count)
{
    StatementLease update = statements.Get("UPDATE store_checks SET changes = ? WHERE id = ?");
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
    StatementLease remove = statements.Get("DELETE FROM store_changes WHERE check_id = ?");
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

bool CheckRecorder::Write(StoredCheck& check, RecordMode mode)
{
    CheckWriter writer(statements_, check, mode);
    if (!writer.Write())
        return false;
    if (writer.AlreadyStored() > 0) {
        check.header.id = writer.AlreadyStored();
        alreadyStored_ = true;
        return true;
    }
    if (!ChangesOf(statements_, check))
        return false;
    // A check recorded after a later one (an import) sits between two: the later one's
    // changes are now against this one.
    const int64_t next = Neighbour(statements_, check.header.id, false);
    if (next < 0 || (next > 0 && !RecordChanges(next)))
        return false;
    // A complete standard check may be its computer's latest now.
    return check.header.kind != kStandardKind || !check.header.complete ||
           KeepLatestRows(statements_, writer.ComputerId());
}

bool CheckRecorder::Record(StoredCheck& check, RecordMode mode)
{
    alreadyStored_ = false;
    DbTransaction transaction(statements_.Db());
    if (!transaction.IsOpen())
        return false;
    const StoredCheckHeader header = check.header;
    if (!Write(check, mode)) {
        check.header = header;
        alreadyStored_ = false;
        return false;
    }
    // The same check already stored: nothing of it is written (the transaction ends unused).
    if (!alreadyStored_ && !transaction.Commit()) {
        check.header = header;
        return false;
    }
    StatementLease changes = statements_.Get("SELECT changes FROM store_checks WHERE id = ?");
    if (changes) {
        changes->BindInt(1, check.header.id);
        if (changes->Step() == DbStep::Row)
            check.header.changes = changes->IsNull(0) ? -1 : changes->Int(0);
    }
    return true;
}
