#include "store/inventory_store.h"

#include <windows.h>

#include "base/handles.h"
#include "base/narrow.h"
#include "base/run_folder.h"
#include "base/text_util.h"
#include "db/odbc_database.h"
#include "db/sqlite_database.h"
#include "resources/resource.h"
#include "resources/text.h"
#include "store/content_digest.h"
#include "store/damage_mark.h"
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

// Why the store file cannot be written, for the message: the file marked read-only, a
// medium or share that is read-only, or no right to write it.
std::string WhyNotWritable(const std::string& path)
{
    const std::wstring wide = ToWide(path);
    const DWORD attributes = GetFileAttributesW(wide.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        return LoadText(IDS_STORE_WHY_FILE_READ_ONLY);
    UniqueHandle file(CreateFileW(wide.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    const DWORD refused = file ? ERROR_SUCCESS : GetLastError();
    if (refused == ERROR_WRITE_PROTECT)
        return LoadText(IDS_STORE_WHY_MEDIUM);
    if (refused == ERROR_ACCESS_DENIED)
        return LoadText(IDS_STORE_WHY_NO_RIGHT);
    return LoadText(IDS_STORE_WHY_FOLDER);
}

std::string CannotWriteMessage(const StoreLocation& location)
{
    return FillIn(LoadText(IDS_STORE_CANNOT_WRITE), location.path, WhyNotWritable(location.path));
}

// Refuses to record into a store file marked damaged; true when it may be written.
bool NotMarkedDamaged(const StoreLocation& location, std::string& message)
{
    DamageMark mark;
    if (location.kind != StoreLocation::Kind::File || !FindDamageMark(location.path, mark))
        return true;
    message = FillIn(LoadText(IDS_STORE_MARKED_DAMAGED), {location.path, mark.foundAt, DamageMarkPath(location.path)});
    return false;
}

std::unique_ptr<SqliteDatabase> OpenSqlite(const StoreLocation& location, SqliteOpen mode, unsigned timeoutSeconds,
                                           std::string& message)
{
    DbError error;
    // A time limit given shortens the wait for another program's lock, never lengthens it.
    const int busyMs = timeoutSeconds && timeoutSeconds * 1000ull < kStoreBusyTimeoutMs
                           ? static_cast<int>(timeoutSeconds * 1000)
                           : kStoreBusyTimeoutMs;
    std::unique_ptr<SqliteDatabase> database = SqliteDatabase::Open(location.path, mode, error, busyMs);
    if (!database) {
        message = StoreFailureMessage(location, error);
        return nullptr;
    }
    // Damage SQLite meets in any statement marks the file, whatever the program was doing.
    database->OnDamage([path = location.path](const DbError& found) {
        MarkDamaged(path, {found.message + " (" + std::to_string(found.code) + ")"});
    });
    return database;
}

std::unique_ptr<SqliteDatabase> OpenFile(const StoreLocation& location, StoreAccess access, unsigned timeoutSeconds,
                                         std::string& message)
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
        if (!NotMarkedDamaged(location, message))
            return nullptr;
        // Windows refuses to write a file marked read-only, whoever asks.
        const DWORD attributes = GetFileAttributesW(ToWide(path).c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
            message = CannotWriteMessage(location);
            return nullptr;
        }
    } else if (!FileExists(path)) {
        message = FillIn(LoadText(IDS_STORE_MISSING), path);
        return nullptr;
    }
    const SqliteOpen mode = access == StoreAccess::Record ? SqliteOpen::Create
                            : access == StoreAccess::Read ? SqliteOpen::Existing
                                                          : SqliteOpen::ReadOnly;
    std::unique_ptr<SqliteDatabase> database = OpenSqlite(location, mode, timeoutSeconds, message);
    if (database && access == StoreAccess::Record && database->IsReadOnly()) {
        message = CannotWriteMessage(location);
        return nullptr;
    }
    return database;
}

// A store file on a network drive or share: SQLite's write-ahead log needs memory shared
// by every program that opens the file, which a network file system does not give.
bool OnNetwork(const StoreLocation& location)
{
    return location.kind == StoreLocation::Kind::File && IsOnNetworkDrive(location.path);
}

// Write-ahead logging lets readers go on while a check is recorded, and two writers take
// turns; a process killed while it writes leaves the store as it was before. On a network
// drive the rollback journal does the same, only readers wait for the writer there.
bool ChooseJournal(Database& database, bool onNetwork)
{
    if (database.Dialect() != DbDialect::Sqlite)
        return true;
    if (onNetwork)
        return database.Execute("PRAGMA journal_mode = DELETE; PRAGMA synchronous = FULL");
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
    case DbFailure::Damaged: id = IDS_STORE_DAMAGED; break;
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
    // Nothing is written into the store: no journal chosen, nothing brought forward.
    bool onlyRead = access == StoreAccess::Query;
    if (location.kind == StoreLocation::Kind::Odbc) {
        DbError error;
        database = OpenOdbcDatabase(location.connection, timeoutSeconds, error);
        if (!database) {
            message = StoreFailureMessage(location, error);
            return nullptr;
        }
    } else {
        // A store marked damaged is only read, as it is on the disk.
        DamageMark mark;
        const bool marked = access == StoreAccess::Read && FindDamageMark(location.path, mark);
        std::unique_ptr<SqliteDatabase> file = OpenFile(location, marked ? StoreAccess::Query : access,
                                                        timeoutSeconds, message);
        if (file && access == StoreAccess::Read && file->IsReadOnly()) {
            // A store in a read-only folder or on read-only media: it is read all the same.
            file.reset();
            file = OpenFile(location, StoreAccess::Query, timeoutSeconds, message);
        }
        if (!file)
            return nullptr;
        onlyRead = onlyRead || file->IsReadOnly();
        database = std::move(file);
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
        if (onlyRead) {
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
    if (!onlyRead) {
        if (!ChooseJournal(*database, OnNetwork(location)) || PrepareSchema(*database, true).state != SchemaState::Ready) {
            message = StoreFailureMessage(location, database->LastError());
            return nullptr;
        }
    }
    failure = StoreOpenFailure::None;
    return std::unique_ptr<InventoryStore>(new InventoryStore(location, std::move(database)));
}

bool InventoryStore::Record(StoredCheck& check, RecordMode mode)
{
    // Another program may have found the file damaged since it was opened.
    refusal_.clear();
    return NotMarkedDamaged(location_, refusal_) && recorder_.Record(check, mode);
}

std::string InventoryStore::FailureMessage() const
{
    if (!refusal_.empty())
        return refusal_;
    if (!DigestsAvailable())
        return LoadText(IDS_STORE_NO_HASH);
    return StoreFailureMessage(location_, database_->LastError());
}
