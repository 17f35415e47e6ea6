#include "storetools/found_coverage.h"

#include <memory>

#include "store/object_identity.h"

namespace {

constexpr char kUpsertSource[] =
    "INSERT INTO store_found_sources (source, read_at, read_epoch) VALUES (?, ?, ?)"
    " ON CONFLICT (source) DO UPDATE SET read_at = excluded.read_at, read_epoch = excluded.read_epoch";
constexpr char kUpsertFound[] =
    "INSERT INTO store_found (name, name_key, source, dns_name, operating_system, os_version, last_logon,"
    " distinguished_name, first_found, found_at, found_epoch) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"
    " ON CONFLICT (name_key) DO UPDATE SET name = excluded.name, source = excluded.source,"
    " dns_name = excluded.dns_name, operating_system = excluded.operating_system, os_version = excluded.os_version,"
    " last_logon = excluded.last_logon, distinguished_name = excluded.distinguished_name,"
    " found_at = excluded.found_at, found_epoch = excluded.found_epoch";
constexpr char kRecent[] =
    "SELECT c.target_key, m.name_key FROM store_checks c JOIN store_computers m ON m.id = c.computer_id"
    " WHERE c.kind = ? AND c.complete = 1 AND c.result = 'ok' AND c.checked_epoch >= ?";

}  // namespace

bool RecordFoundComputers(Database& database, const std::string& source, const std::vector<FoundComputer>& computers,
                          const CheckTime& foundAt)
{
    DbTransaction transaction(database);
    if (!transaction.IsOpen())
        return false;
    std::unique_ptr<DbStatement> upsertSource = database.Prepare(kUpsertSource);
    if (!upsertSource)
        return false;
    upsertSource->BindText(1, source);
    upsertSource->BindText(2, foundAt.local);
    upsertSource->BindInt(3, foundAt.epoch);
    if (upsertSource->Step() != DbStep::Done)
        return false;
    std::unique_ptr<DbStatement> upsert = database.Prepare(kUpsertFound);
    if (!upsert)
        return false;
    for (const FoundComputer& computer : computers) {
        upsert->Reset();
        const std::string texts[] = {computer.name, IdentityMatchKey(computer.name), source, computer.dnsName,
                                     computer.operatingSystem, computer.osVersion, computer.lastLogon,
                                     computer.distinguishedName, foundAt.local, foundAt.local};
        int index = 1;
        for (const std::string& text : texts)
            upsert->BindText(index++, text);
        upsert->BindInt(index, foundAt.epoch);
        if (upsert->Step() != DbStep::Done)
            return false;
    }
    return transaction.Commit();
}

bool RecentlyCheckedKeys(Database& database, const std::string& kind, int64_t sinceEpoch,
                         std::unordered_set<std::string>& keys)
{
    std::unique_ptr<DbStatement> select = database.Prepare(kRecent);
    if (!select)
        return false;
    select->BindText(1, kind);
    select->BindInt(2, sinceEpoch);
    for (;;) {
        const DbStep step = select->Step();
        if (step == DbStep::Done)
            return true;
        if (step == DbStep::Error)
            return false;
        keys.insert(select->Text(0));
        keys.insert(select->Text(1));
    }
}
