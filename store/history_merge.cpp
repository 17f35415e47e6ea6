// Filing the checks of an older store by computer, as a check recorded now is filed.
#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "store/check_computer.h"
#include "store/check_recorder.h"
#include "store/object_identity.h"
#include "store/raw_cell.h"
#include "store/store_migration.h"

namespace {

struct KeptCheck {
    int64_t id = 0;
    int64_t computerId = 0;
    std::string target;
    int64_t epoch = 0;
    ReportedComputer reported;   // from its Win32_ComputerSystem part, when it read one
    std::string filedUnder;      // the name of the computer it goes to
};

// Every check in the order of time.
bool ReadChecks(StatementCache& statements, std::vector<KeptCheck>& checks)
{
    StatementLease select = statements.Get(
        "SELECT c.id, c.computer_id, c.target, c.checked_epoch, m.name FROM store_checks c"
        " JOIN store_computers m ON m.id = c.computer_id ORDER BY c.checked_epoch, c.id");
    if (!select)
        return false;
    DbStep step;
    while ((step = select->Step()) == DbStep::Row)
        checks.push_back({select->Int(0), select->Int(1), select->Text(2), select->Int(3), {}, select->Text(4)});
    return step == DbStep::Done;
}

// What the first object of each check's Win32_ComputerSystem part says of the computer.
bool ReadReported(StatementCache& statements, std::vector<KeptCheck>& checks)
{
    StatementLease select = statements.Get(
        "SELECT c.id, n.property, x.vartype, x.raw_kind, x.raw, x.shown FROM store_checks c"
        " JOIN store_part_list_members p ON p.list_id = c.part_list_id"
        " JOIN store_columns k ON k.id = p.columns_id"
        " JOIN store_set_members s ON s.set_id = p.set_id AND s.position = 0"
        " JOIN store_column_names n ON n.columns_id = k.id"
        " JOIN store_cells x ON x.object_id = s.object_id AND x.position = n.position"
        " WHERE lower(k.class_name) = 'win32_computersystem' AND p.state <> 2 ORDER BY c.id");
    if (!select)
        return false;
    std::map<int64_t, std::vector<std::pair<std::string, StoredCell>>> values;
    DbStep step;
    while ((step = select->Step()) == DbStep::Row) {
        const unsigned short vartype = static_cast<unsigned short>(select->Int(2));
        StoredCell cell{DecodeRaw(static_cast<int>(select->Int(3)), select->Text(4), vartype), select->Text(5)};
        values[select->Int(0)].emplace_back(select->Text(1), std::move(cell));
    }
    if (step != DbStep::Done)
        return false;
    for (KeptCheck& check : checks) {
        const auto found = values.find(check.id);
        if (found == values.end())
            continue;
        std::vector<std::pair<std::string, const StoredCell*>> cells;
        for (const auto& [property, cell] : found->second)
            cells.emplace_back(property, &cell);
        check.reported = ReportedComputerOf(cells);
    }
    return true;
}

// The computer of each check by the rule: its own report, else the computer its typed name
// last reached before it, else the first it reached after it, else where it was.
void FileChecks(std::vector<KeptCheck>& checks)
{
    std::map<std::string, std::string> reached;   // typed name's key -> computer
    std::vector<KeptCheck*> waiting;              // checks that named no computer, by time
    for (KeptCheck& check : checks) {
        const std::string typed = check.target.empty() ? std::string() : TypedNameKey(check.target);
        if (!check.reported.name.empty()) {
            check.filedUnder = check.reported.name;
            if (!typed.empty())
                reached[typed] = check.reported.name;
        } else if (const auto found = reached.find(typed); !typed.empty() && found != reached.end()) {
            check.filedUnder = found->second;
        } else if (!typed.empty()) {
            waiting.push_back(&check);
        }
    }
    std::map<std::string, std::string> firstReached;
    for (auto check = checks.rbegin(); check != checks.rend(); ++check)
        if (!check->reported.name.empty() && !check->target.empty())
            firstReached[TypedNameKey(check->target)] = check->reported.name;
    for (KeptCheck* check : waiting)
        if (const auto found = firstReached.find(TypedNameKey(check->target)); found != firstReached.end())
            check->filedUnder = found->second;
}

// The row of the computer named `name` (its reported spelling), made when missing; 0 on failure.
int64_t ComputerRow(StatementCache& statements, const std::string& name, bool reported)
{
    StoredCheckHeader header;
    header.computer = name;
    header.identified = reported;
    return FileComputer(statements, header);
}

bool Refile(StatementCache& statements, const KeptCheck& check, int64_t computerId)
{
    StatementLease update = statements.Get(
        "UPDATE store_checks SET computer_id = ?, target_key = ?, identified = ?, domain = ? WHERE id = ?");
    if (!update)
        return false;
    const bool identified = !check.reported.name.empty();
    update->BindInt(1, computerId);
    update->BindText(2, TypedNameKey(check.target));
    update->BindInt(3, identified ? 1 : 0);
    if (identified)
        update->BindText(4, check.reported.domain);
    else
        update->BindNull(4);
    update->BindInt(5, check.id);
    return update->Step() == DbStep::Done;
}

}  // namespace

bool MergeHistories(Database& database)
{
    StatementCache statements(database);
    std::vector<KeptCheck> checks;
    if (!ReadChecks(statements, checks) || !ReadReported(statements, checks))
        return false;
    FileChecks(checks);
    // Histories that gained or lost checks: their changes are recorded anew, oldest first.
    std::set<int64_t> touched;
    std::map<std::string, int64_t> rows;   // name key -> computer row
    for (const KeptCheck& check : checks) {
        const std::string key = IdentityMatchKey(check.filedUnder);
        auto row = rows.find(key);
        if (row == rows.end() || !check.reported.name.empty()) {
            const int64_t id = ComputerRow(statements, check.filedUnder, !check.reported.name.empty());
            if (id <= 0)
                return false;
            row = rows.insert_or_assign(key, id).first;
        }
        if (!Refile(statements, check, row->second))
            return false;
        if (row->second != check.computerId) {
            touched.insert(row->second);
            touched.insert(check.computerId);
        }
    }
    if (!database.Execute("DELETE FROM store_computers WHERE id NOT IN (SELECT computer_id FROM store_checks)"))
        return false;
    CheckRecorder recorder(statements);
    for (const KeptCheck& check : checks) {
        const auto row = rows.find(IdentityMatchKey(check.filedUnder));
        if (row != rows.end() && touched.count(row->second) && !recorder.RecordChanges(check.id))
            return false;
    }
    return true;
}
