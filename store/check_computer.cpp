#include "store/check_computer.h"

#include "base/computer_domain.h"
#include "base/text_util.h"
#include "store/object_identity.h"

namespace {

const StoredCell* Find(const std::vector<std::pair<std::string, const StoredCell*>>& values, const char* property)
{
    for (const auto& [name, cell] : values)
        if (cell && EqualsNoCase(name, property))
            return cell;
    return nullptr;
}

std::string TextOf(const StoredCell* cell)
{
    if (!cell)
        return {};
    return std::holds_alternative<std::string>(cell->raw.value) ? cell->raw.Text() : cell->text;
}

RawValue RawOf(const StoredCell* cell)
{
    return cell ? cell->raw : RawValue{};
}

// The checks of the typed name that named their computer, the latest at or before `epoch`
// (else the first after): its computer; 0 for none, -1 on failure.
int64_t ComputerLastReached(StatementCache& statements, const std::string& typedKey, int64_t epoch)
{
    static constexpr const char* kQueries[] = {
        "SELECT computer_id FROM store_checks WHERE target_key = ? AND identified = 1 AND checked_epoch <= ?"
        " ORDER BY checked_epoch DESC, id DESC LIMIT 1",
        "SELECT computer_id FROM store_checks WHERE target_key = ? AND identified = 1 AND checked_epoch > ?"
        " ORDER BY checked_epoch, id LIMIT 1",
    };
    for (const char* sql : kQueries) {
        StatementLease select = statements.Get(sql);
        if (!select)
            return -1;
        select->BindText(1, typedKey);
        select->BindInt(2, epoch);
        const DbStep step = select->Step();
        if (step == DbStep::Row)
            return select->Int(0);
        if (step == DbStep::Error)
            return -1;
    }
    return 0;
}

// The name of a computer's row; false on failure.
bool NameOf(StatementCache& statements, int64_t computerId, std::string& name)
{
    StatementLease select = statements.Get("SELECT name FROM store_computers WHERE id = ?");
    if (!select)
        return false;
    select->BindInt(1, computerId);
    if (select->Step() != DbStep::Row)
        return false;
    name = select->Text(0);
    return true;
}

}  // namespace

ReportedComputer ReportedComputerOf(const std::vector<std::pair<std::string, const StoredCell*>>& values)
{
    ReportedComputer computer;
    computer.name = TextOf(Find(values, "Name"));
    if (!computer.name.empty())
        computer.domain = DnsDomainOf(TextOf(Find(values, "Domain")), RawOf(Find(values, "DomainRole")),
                                      RawOf(Find(values, "PartOfDomain")));
    return computer;
}

bool IdentifyFromParts(StoredCheck& check)
{
    for (const StoredPart& part : check.parts) {
        if (!EqualsNoCase(part.className, kComputerSystemClass) || part.state == PartState::NotRead ||
            part.objects.empty())
            continue;
        const StoredObject& object = part.objects.front();
        std::vector<std::pair<std::string, const StoredCell*>> values;
        for (size_t i = 0; i < part.properties.size(); ++i)
            values.emplace_back(part.properties[i], i < object.cells.size() ? &object.cells[i] : nullptr);
        ReportedComputer computer = ReportedComputerOf(values);
        if (computer.name.empty())
            return false;
        check.header.computer = std::move(computer.name);
        check.header.domain = std::move(computer.domain);
        check.header.identified = true;
        return true;
    }
    return false;
}

std::string TypedNameKey(const std::string& target)
{
    return IdentityMatchKey(target);
}

int64_t FileComputer(StatementCache& statements, StoredCheckHeader& header, bool copied)
{
    if (!header.identified && !copied && !header.target.empty()) {
        const int64_t reached = ComputerLastReached(statements, TypedNameKey(header.target), header.checkedAt.epoch);
        if (reached < 0)
            return 0;
        if (reached > 0)
            return NameOf(statements, reached, header.computer) ? reached : 0;
    }
    const std::string key = IdentityMatchKey(header.computer);
    StatementLease insert = statements.Get(
        "INSERT INTO store_computers (name, name_key) VALUES (?, ?) ON CONFLICT (name_key) DO NOTHING");
    if (!insert)
        return 0;
    insert->BindText(1, header.computer);
    insert->BindText(2, key);
    if (insert->Step() == DbStep::Error)
        return 0;
    int64_t id = 0;
    bool renamed = false;
    {
        StatementLease select = statements.Get("SELECT id, name FROM store_computers WHERE name_key = ?");
        if (!select)
            return 0;
        select->BindText(1, key);
        if (select->Step() != DbStep::Row)
            return 0;
        id = select->Int(0);
        renamed = header.identified && select->Text(1) != header.computer;
    }
    if (!renamed)
        return id;
    // The computer's own spelling of its name replaces a typed one.
    StatementLease rename = statements.Get("UPDATE store_computers SET name = ? WHERE id = ?");
    if (!rename)
        return 0;
    rename->BindText(1, header.computer);
    rename->BindInt(2, id);
    return rename->Step() == DbStep::Done ? id : 0;
}
