#include "store/store_verify.h"

#include <windows.h>

#include "base/narrow.h"
#include "base/text_util.h"
#include "resources/resource.h"
#include "resources/text.h"
#include "store/damage_mark.h"
#include "store/inventory_store.h"
#include "db/sqlite_database.h"

namespace {

// SQLite's integrity check, its findings in `damage` ("ok" alone: none). False when it
// could not run to its end; the database's error tells why.
bool RunIntegrityCheck(SqliteDatabase& database, std::vector<std::string>& damage)
{
    std::unique_ptr<DbStatement> check =
        database.Prepare("PRAGMA integrity_check(" + std::to_string(kMaxDamageListed) + ")");
    if (!check)
        return false;
    for (;;) {
        switch (check->Step()) {
        case DbStep::Row:
            damage.push_back(check->Text(0));
            break;
        case DbStep::Done:
            if (damage.size() == 1 && damage.front() == "ok")
                damage.clear();
            return true;
        case DbStep::Error:
            return false;
        }
    }
}

bool IsDamage(const DbError& error)
{
    return error.failure == DbFailure::Damaged || error.failure == DbFailure::NotADatabase;
}

std::string Described(const DbError& error)
{
    return error.message + " (" + std::to_string(error.code) + ")";
}

// Where the whole check broke off on damage (a table that cannot be read to its end): each
// table checked on its own, so that the findings name the tables. False when even the
// list of tables cannot be read.
bool CheckTableByTable(SqliteDatabase& database, std::vector<std::string>& damage)
{
    std::unique_ptr<DbStatement> tables =
        database.Prepare("SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name");
    std::unique_ptr<DbStatement> check = database.Prepare("SELECT * FROM pragma_integrity_check(?)");
    if (!tables || !check)
        return false;
    std::vector<std::string> names;
    for (DbStep step = tables->Step(); step != DbStep::Done; step = tables->Step()) {
        if (step == DbStep::Error)
            return false;
        names.push_back(tables->Text(0));
    }
    for (const std::string& name : names) {
        check->Reset();
        check->BindText(1, name);
        for (DbStep step = check->Step(); step != DbStep::Done; step = check->Step()) {
            if (step == DbStep::Error) {
                damage.push_back(name + ": " + Described(database.LastError()));
                break;
            }
            if (check->Text(0) != "ok")
                damage.push_back(name + ": " + check->Text(0));
        }
    }
    return true;
}

StoreVerdict VerifyFile(const StoreLocation& location)
{
    StoreVerdict verdict;
    const std::string& path = location.path;
    const std::string where = DescribeStoreLocation(location);
    if (GetFileAttributesW(ToWide(path).c_str()) == INVALID_FILE_ATTRIBUTES) {
        verdict.message = FillIn(LoadText(IDS_STORE_MISSING), path);
        return verdict;
    }
    DbError error;
    std::unique_ptr<SqliteDatabase> database = SqliteDatabase::Open(path, SqliteOpen::ReadOnly, error);
    if (database && !RunIntegrityCheck(*database, verdict.damage))
        error = database->LastError();
    if (!database || error.failure != DbFailure::None) {
        if (!IsDamage(error)) {
            verdict.message = StoreFailureMessage(location, error);
            return verdict;
        }
        verdict.damage.clear();
        if (!database || !CheckTableByTable(*database, verdict.damage) || verdict.damage.empty())
            verdict.damage = {Described(error)};
    }
    if (verdict.damage.empty()) {
        verdict.soundness = StoreSoundness::Sound;
        ClearDamageMark(path);
        verdict.message = FillIn(LoadText(IDS_VERIFY_SOUND), where);
        return verdict;
    }
    verdict.soundness = StoreSoundness::Damaged;
    std::string marked = LoadText(MarkDamaged(path, verdict.damage) ? IDS_VERIFY_MARKED : IDS_VERIFY_NOT_MARKED);
    verdict.message = FillIn(LoadText(IDS_VERIFY_DAMAGED), {where, std::to_string(verdict.damage.size()),
                                                             FillIn(marked, DamageMarkPath(path))});
    return verdict;
}

StoreVerdict VerifyServer(const StoreLocation& location, unsigned timeoutSeconds)
{
    StoreVerdict verdict;
    StoreOpenFailure failure = StoreOpenFailure::None;
    std::unique_ptr<InventoryStore> store =
        InventoryStore::Open(location, StoreAccess::Read, timeoutSeconds, verdict.message, failure);
    if (!store)
        return verdict;
    std::unique_ptr<DbStatement> count = store->Db().Prepare("SELECT count(*) FROM store_checks");
    if (!count || count->Step() != DbStep::Row) {
        verdict.message = store->FailureMessage();
        return verdict;
    }
    verdict.soundness = StoreSoundness::Sound;
    verdict.message = FillIn(LoadText(IDS_VERIFY_SERVER), DescribeStoreLocation(location), std::to_string(count->Int(0)));
    return verdict;
}

}  // namespace

StoreVerdict VerifyStore(const StoreLocation& location, unsigned timeoutSeconds)
{
    return location.kind == StoreLocation::Kind::File ? VerifyFile(location) : VerifyServer(location, timeoutSeconds);
}
