#include "report/sheet_history.h"

#include "base/text_util.h"

namespace {

bool Failed(Database& database, std::string& error)
{
    error = database.LastError().message;
    return false;
}

}  // namespace

SheetLookup FindLatestCheck(Database& database, const std::string& computer, int64_t& checkId, std::string& name,
                            std::string& error)
{
    std::unique_ptr<DbStatement> statement =
        database.PrepareReadOnly("SELECT check_id, computer FROM latest_checks WHERE lower(computer) = lower(?) "
                                 "ORDER BY check_id DESC");
    if (!statement) {
        Failed(database, error);
        return SheetLookup::Failed;
    }
    statement->BindText(1, computer);
    for (;;) {
        switch (statement->Step()) {
        case DbStep::Row:
            checkId = statement->Int(0);
            name = statement->Text(1);
            return SheetLookup::Found;
        case DbStep::Done:
            return SheetLookup::NotFound;
        case DbStep::Error:
            Failed(database, error);
            return SheetLookup::Failed;
        }
    }
}

bool ReadSheetHistory(Database& database, const std::string& computer, int64_t now, SheetHistory& history,
                      std::string& error)
{
    history = SheetHistory{};
    std::unique_ptr<DbStatement> known = database.PrepareReadOnly("SELECT count(*) FROM computers WHERE computer = ?");
    std::unique_ptr<DbStatement> changes = database.PrepareReadOnly(
        "SELECT checked_at, class_name, object_key, change, property, before_value, after_value FROM changes "
        "WHERE computer = ? AND checked_epoch >= ? ORDER BY checked_epoch DESC, check_id DESC, class_name, object_key, "
        "property");
    if (!known || !changes)
        return Failed(database, error);
    known->BindText(1, computer);
    if (known->Step() != DbStep::Row)
        return Failed(database, error);
    history.stored = known->Int(0) > 0;
    changes->BindText(1, computer);
    changes->BindInt(2, now - kSheetChangeDays * 86400ll);
    for (;;) {
        switch (changes->Step()) {
        case DbStep::Row:
            if (static_cast<int64_t>(history.changes.size()) >= kSheetChangeLimit) {
                ++history.more;
                continue;
            }
            history.changes.push_back({changes->Text(0), changes->Text(1), changes->Text(2), changes->Text(3),
                                       changes->Text(4), changes->Text(5), changes->Text(6)});
            continue;
        case DbStep::Done:
            return true;
        case DbStep::Error:
            return Failed(database, error);
        }
    }
}
