// A store of a test's own, and small checks to record into it. The store is a file in the
// temporary folder, or the database MIREL_TEST_STORE names ("odbc:..."), emptied first.
#pragma once
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "store/inventory_store.h"
#include "store/store_query.h"
#include "db/odbc_database.h"
#include "store/object_identity.h"
#include "store/stored_check.h"
#include "tests/support/temp_files.h"

// A text cell with its raw value.
inline StoredCell TextCell(const std::string& text)
{
    StoredCell cell{RawValue{text}, text};
    cell.raw.vartype = VT_BSTR;
    return cell;
}

inline StoredCell NumberCell(int64_t number, const std::string& shown)
{
    StoredCell cell{RawValue{number}, shown};
    cell.raw.vartype = VT_I4;
    return cell;
}

struct TestService {
    std::string name, startMode, state;
};

// A part of `className` with the rows given (one cell per property).
inline StoredPart MakePart(const std::string& className, std::vector<std::string> properties,
                           const std::vector<std::vector<StoredCell>>& rows, PartState state = PartState::Read)
{
    StoredPart part;
    part.className = className;
    part.properties = std::move(properties);
    part.state = state;
    part.identityRule = IdentityRuleFor(part.className, part.properties);
    for (const auto& row : rows)
        part.objects.push_back({row, {}});
    AssignIdentities(part);
    return part;
}

// A standard-like check of a computer: its services, its one operating system with the
// free memory given, its disk with the free space given.
inline StoredCheck MakeCheck(const std::string& computer, const std::vector<TestService>& services,
                             int64_t freeMemory = 1000, int64_t freeSpace = 5000, int64_t epoch = 1760000000)
{
    StoredCheck check;
    check.header.computer = computer;
    check.header.target = computer;
    check.header.checkedAt.epoch = epoch;
    check.header.checkedAt.utc = "utc" + std::to_string(epoch);
    check.header.checkedAt.local = "local" + std::to_string(epoch);
    check.header.source = "test";
    std::vector<std::vector<StoredCell>> rows;
    for (const TestService& service : services)
        rows.push_back({TextCell(service.name), TextCell(service.startMode), TextCell(service.state)});
    check.parts.push_back(MakePart("Win32_Service", {"Name", "StartMode", "State"}, rows));
    check.parts.push_back(MakePart("Win32_OperatingSystem", {"Caption", "FreePhysicalMemory"},
                                   {{TextCell("Windows"), NumberCell(freeMemory, std::to_string(freeMemory))}}));
    check.parts.push_back(MakePart("Win32_LogicalDisk", {"DeviceID", "Size", "FreeSpace"},
                                   {{TextCell("C:"), NumberCell(90000, "90,000"), NumberCell(freeSpace, "x")}}));
    return check;
}

// The number of rows of a table.
inline int64_t RowsOf(InventoryStore& store, const std::string& table)
{
    std::unique_ptr<DbStatement> count = store.Db().Prepare("SELECT count(*) FROM " + table);
    return count && count->Step() == DbStep::Row ? count->Int(0) : -1;
}

// The rows of an answer as texts.
inline std::vector<std::vector<std::string>> Texts(const QueryAnswer& answer)
{
    std::vector<std::vector<std::string>> rows;
    for (const auto& row : answer.rows) {
        rows.emplace_back();
        for (const QueryValue& value : row)
            rows.back().push_back(value.Text());
    }
    return rows;
}

class TestStore {
public:
    explicit TestStore(const std::string& name) : folder_(name)
    {
        if (!OnServer())
            return;
        // A server database of the test's own: whatever an earlier test left goes.
        DbError error;
        std::unique_ptr<Database> server = OpenOdbcDatabase(Location().connection, 10, error);
        if (server)
            server->Execute("DROP SCHEMA public CASCADE; CREATE SCHEMA public");
    }

    StoreLocation Location() const
    {
        StoreLocation location;
        const char* server = std::getenv("MIREL_TEST_STORE");
        ParseStoreLocation(server && *server ? server : folder_.File("inventory.db"), location);
        return location;
    }
    bool OnServer() const { return Location().kind == StoreLocation::Kind::Odbc; }
    std::string File(const std::string& name) const { return folder_.File(name); }

    // The store, opened for recording (created when missing).
    std::unique_ptr<InventoryStore> Open(StoreAccess access = StoreAccess::Record)
    {
        std::string message;
        StoreOpenFailure failure;
        std::unique_ptr<InventoryStore> store = InventoryStore::Open(Location(), access, 10, message, failure);
        lastMessage_ = message;
        return store;
    }
    const std::string& LastMessage() const { return lastMessage_; }

private:
    TempFolder folder_;
    std::string lastMessage_;
};
