#include "store/inventory_store.h"

#include <windows.h>

#include "base/narrow.h"
#include "base/text_util.h"
#include "inventory/result_files.h"
#include "resources/resource.h"
#include "resources/text.h"
#include "db/odbc_database.h"
#include "db/sqlite_database.h"
#include "store/content_digest.h"
#include "store/store_schema.h"

namespace {

std::string FolderOf(const std::string& path)
{
    const size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos || slash == 0 ? std::string() : path.substr(0, slash);
}

bool FileExists(const std::string& path)
{
    return GetFileAttributesW(ToWide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::unique_ptr<Database> OpenFile(const StoreLocation& location, StoreAccess access, std::string& message)
{
    const std::string& path = location.path;
    // The store's folder, made when missing; removed again when no store came into it.
    RunFolder made;
    if (access == StoreAccess::Record) {
        const std::string folder = FolderOf(path);
        if (!folder.empty() && !made.Create(folder)) {
            message = LoadText(IDS_STORE_FOLDER) + folder;
            return nullptr;
        }
        // Windows refuses to write a file marked read-only, whoever asks.
        const DWORD attributes = GetFileAttributesW(ToWide(path).c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
            message = StoreFailureMessage(location, SqliteReadOnlyError());
            return nullptr;
        }
    } else if (!FileExists(path)) {
        message = FillIn(LoadText(IDS_STORE_MISSING), path);
        return nullptr;
    }
    DbError error;
    const SqliteOpen mode = access == StoreAccess::Record ? SqliteOpen::Create
                            : access == StoreAccess::Read ? SqliteOpen::Existing
                                                          : SqliteOpen::ReadOnly;
    std::unique_ptr<SqliteDatabase> database = SqliteDatabase::Open(path, mode, error);
    if (!database) {
        message = StoreFailureMessage(location, error);
        return nullptr;
    }
    if (access == StoreAccess::Record && database->IsReadOnly()) {
        message = StoreFailureMessage(location, SqliteReadOnlyError());
        return nullptr;
    }
    return database;
}

// Write-ahead logging lets readers go on while a check is recorded, and two writers take
// turns; a process killed while it writes leaves the store as it was before.
bool UseWriteAheadLog(Database& database)
{
    if (database.Dialect() != DbDialect::Sqlite)
        return true;
    // The answer is the mode now in force: a file system without shared memory keeps the
    // rollback journal, with which writers still take turns, readers waiting for them.
    std::unique_ptr<DbStatement> mode = database.Prepare("PRAGMA journal_mode = WAL");
    if (!mode || mode->Step() != DbStep::Row)
        return false;
    const bool logged = mode->Text(0) == "wal";
    mode.reset();
    return !logged || database.Execute("PRAGMA synchronous = NORMAL");
}

}  // namespace

std::string StoreFailureMessage(const StoreLocation& location, const DbError& error)
{
    UINT id = IDS_STORE_FAILED;
    switch (error.failure) {
    case DbFailure::Busy: id = IDS_STORE_BUSY; break;
    case DbFailure::Full: id = IDS_STORE_FULL; break;
    case DbFailure::ReadOnly: id = IDS_STORE_READ_ONLY; break;
    case DbFailure::NotADatabase: id = IDS_STORE_NOT_DATABASE; break;
    case DbFailure::Connection: id = IDS_STORE_CONNECTION; break;
    case DbFailure::Login: id = IDS_STORE_LOGIN; break;
    case DbFailure::CannotOpen:
        if (location.kind == StoreLocation::Kind::File && !FileExists(location.path))
            return FillIn(LoadText(IDS_STORE_MISSING), location.path);
        break;
    default: break;
    }
    std::string detail = error.message;
    if (error.code != 0)
        detail += " (" + std::to_string(error.code) + ")";
    return FillIn(LoadText(id), DescribeStoreLocation(location), detail);
}

InventoryStore::InventoryStore(StoreLocation location, std::unique_ptr<Database> database)
    : location_(std::move(location)), database_(std::move(database)), statements_(*database_), recorder_(statements_)
{
}

std::unique_ptr<InventoryStore> InventoryStore::Open(const StoreLocation& location, StoreAccess access,
                                                     unsigned timeoutSeconds, std::string& message,
                                                     StoreOpenFailure& failure)
{
    failure = StoreOpenFailure::Unusable;
    if (!DigestsAvailable()) {
        message = LoadText(IDS_STORE_NO_HASH);
        return nullptr;
    }
    std::unique_ptr<Database> database;
    if (location.kind == StoreLocation::Kind::Odbc) {
        DbError error;
        database = OpenOdbcDatabase(location.connection, timeoutSeconds, error);
        if (!database) {
            message = StoreFailureMessage(location, error);
            return nullptr;
        }
    } else {
        database = OpenFile(location, access, message);
        if (!database)
            return nullptr;
    }
    const std::string where = DescribeStoreLocation(location);
    SchemaFound found = PrepareSchema(*database, false);
    switch (found.state) {
    case SchemaState::Failed:
        message = StoreFailureMessage(location, database->LastError());
        return nullptr;
    case SchemaState::Foreign:
        message = FillIn(LoadText(IDS_STORE_FOREIGN), where);
        return nullptr;
    case SchemaState::Newer:
        message = FillIn(LoadText(IDS_STORE_NEWER), where, std::to_string(found.version));
        return nullptr;
    case SchemaState::Empty:
        if (access != StoreAccess::Record) {
            failure = StoreOpenFailure::Empty;
            message = FillIn(LoadText(IDS_STORE_EMPTY), where);
            return nullptr;
        }
        break;
    case SchemaState::Older:
        if (access == StoreAccess::Query) {
            message = FillIn(LoadText(IDS_STORE_OLDER), where);
            return nullptr;
        }
        break;
    case SchemaState::Ready:
        break;
    }
    // A server's connection for questions reads only, for its whole life: no text it is sent
    // can begin a transaction that writes (the file is opened read-only).
    if (access == StoreAccess::Query && database->Dialect() == DbDialect::Postgres &&
        !database->Execute("SET SESSION CHARACTERISTICS AS TRANSACTION READ ONLY")) {
        message = StoreFailureMessage(location, database->LastError());
        return nullptr;
    }
    if (access != StoreAccess::Query) {
        if (!UseWriteAheadLog(*database) || PrepareSchema(*database, true).state != SchemaState::Ready) {
            message = StoreFailureMessage(location, database->LastError());
            return nullptr;
        }
    }
    failure = StoreOpenFailure::None;
    return std::unique_ptr<InventoryStore>(new InventoryStore(location, std::move(database)));
}

bool InventoryStore::Record(StoredCheck& check)
{
    return recorder_.Record(check);
}

std::string InventoryStore::FailureMessage() const
{
    if (!DigestsAvailable())
        return LoadText(IDS_STORE_NO_HASH);
    return StoreFailureMessage(location_, database_->LastError());
}
