#include "db/sqlite_database.h"

#include "db/version_key.h"

#include <windows.h>

#include <sqlite3.h>

#include <algorithm>

namespace {

// The SQL function version_key(text) of the questions. Called through SQLite's C frames:
// nothing may be thrown through them, a failure is the statement's error instead.
void VersionKeyFunction(sqlite3_context* context, int, sqlite3_value** arguments) noexcept
{
    try {
        const unsigned char* text = sqlite3_value_text(arguments[0]);
        if (!text && sqlite3_value_type(arguments[0]) != SQLITE_NULL) {
            sqlite3_result_error_nomem(context);
            return;
        }
        const std::string key = VersionKey(text ? reinterpret_cast<const char*>(text) : "");
        sqlite3_result_text64(context, key.data(), key.size(), SQLITE_TRANSIENT, SQLITE_UTF8);
    } catch (const std::bad_alloc&) {
        sqlite3_result_error_nomem(context);
    } catch (...) {
        sqlite3_result_error(context, "version_key failed", -1);
    }
}

// What a statement of the user's may do: read and compute, nothing else (no writing, no
// ATTACH, no PRAGMA, no transaction, no schema change).
int ReadingOnly(void*, int action, const char*, const char*, const char*, const char*) noexcept
{
    switch (action) {
    case SQLITE_SELECT:
    case SQLITE_READ:
    case SQLITE_FUNCTION:
    case SQLITE_RECURSIVE:
        return SQLITE_OK;
    default:
        return SQLITE_DENY;
    }
}

class SqliteStatement : public DbStatement {
public:
    SqliteStatement(SqliteDatabase& database, sqlite3_stmt* statement)
        : database_(database), statement_(statement)
    {
    }
    // Finalizing answers the last step's error again, which that step reported already.
    ~SqliteStatement() override { sqlite3_finalize(statement_); }

    // A value that cannot be bound (no memory, no such parameter) fails the next step.
    void BindNull(int index) override { Bound(sqlite3_bind_null(statement_, index)); }
    void BindInt(int index, int64_t value) override { Bound(sqlite3_bind_int64(statement_, index, value)); }
    void BindReal(int index, double value) override { Bound(sqlite3_bind_double(statement_, index, value)); }
    void BindText(int index, std::string_view text) override
    {
        Bound(sqlite3_bind_text64(statement_, index, text.data(), text.size(), SQLITE_TRANSIENT, SQLITE_UTF8));
    }

    DbStep Step() override
    {
        if (bindFailure_ != SQLITE_OK) {
            database_.Fail(bindFailure_);
            return DbStep::Error;
        }
        const int code = sqlite3_step(statement_);
        if (code == SQLITE_ROW || code == SQLITE_DONE) {
            database_.Succeeded();
            return code == SQLITE_ROW ? DbStep::Row : DbStep::Done;
        }
        database_.Fail(code);
        return DbStep::Error;
    }
    // Resetting answers the last step's error again, which that step reported already; the
    // bindings stay, and so does a failure to bind.
    void Reset() override { sqlite3_reset(statement_); }
    sqlite3_stmt* Handle() const { return statement_; }

    int ColumnCount() override { return sqlite3_column_count(statement_); }
    std::string ColumnName(int column) override
    {
        const char* name = sqlite3_column_name(statement_, column);
        return name ? name : "";
    }
    DbType ColumnType(int column) override
    {
        switch (sqlite3_column_type(statement_, column)) {
        case SQLITE_NULL:
            return DbType::Null;
        case SQLITE_INTEGER:
            return DbType::Integer;
        case SQLITE_FLOAT:
            return DbType::Real;
        default:
            return DbType::Text;   // text, and blobs read as their bytes
        }
    }
    int64_t Int(int column) override { return sqlite3_column_int64(statement_, column); }
    double Real(int column) override { return sqlite3_column_double(statement_, column); }
    std::string Text(int column) override
    {
        const unsigned char* text = sqlite3_column_text(statement_, column);
        const int size = sqlite3_column_bytes(statement_, column);
        return text ? std::string(reinterpret_cast<const char*>(text), static_cast<size_t>(size)) : std::string();
    }

private:
    void Bound(int code)
    {
        if (code != SQLITE_OK && bindFailure_ == SQLITE_OK)
            bindFailure_ = code;
    }

    SqliteDatabase& database_;
    sqlite3_stmt* statement_;
    int bindFailure_ = SQLITE_OK;
};

// A statement of the user's own: its time limit ends with it.
class QueryStatement : public SqliteStatement {
public:
    QueryStatement(SqliteDatabase& database, sqlite3_stmt* statement)
        : SqliteStatement(database, statement), owner_(database)
    {
    }
    ~QueryStatement() override { owner_.EndQuery(); }

private:
    SqliteDatabase& owner_;
};

// How many virtual machine steps SQLite runs between two looks at the time limit and the
// request to stop: a few milliseconds' work at most.
constexpr int kProgressSteps = 20000;

}  // namespace

DbFailure SqliteFailureOf(int code)
{
    switch (code & 0xFF) {
    case SQLITE_OK:
    case SQLITE_ROW:
    case SQLITE_DONE:
        return DbFailure::None;
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return DbFailure::Busy;
    case SQLITE_FULL:
        return DbFailure::Full;
    case SQLITE_READONLY:
    case SQLITE_PERM:
        return DbFailure::ReadOnly;
    case SQLITE_NOTADB:
        return DbFailure::NotADatabase;
    case SQLITE_CORRUPT:
        return DbFailure::Damaged;
    case SQLITE_CANTOPEN:
        return DbFailure::CannotOpen;
    case SQLITE_CONSTRAINT:
        return DbFailure::Constraint;
    case SQLITE_ERROR:
        return DbFailure::Syntax;
    default:
        return DbFailure::Other;
    }
}

SqliteDatabase::SqliteDatabase(sqlite3* db) : db_(db)
{
    sqlite3_progress_handler(db_, kProgressSteps, Progress, this);
}

int SqliteDatabase::Progress(void* context)
{
    const auto& database = *static_cast<const SqliteDatabase*>(context);
    if (database.interrupted_.load())
        return 1;
    const Clock::rep deadline = database.deadline_.load();
    return deadline != Clock::time_point::max().time_since_epoch().count() &&
           Clock::now().time_since_epoch().count() >= deadline;
}

void SqliteDatabase::Interrupt()
{
    interrupted_.store(true);
    sqlite3_interrupt(db_);
}

SqliteDatabase::~SqliteDatabase()
{
    sqlite3_close_v2(db_);
}

namespace {

// The file as a URI that opens it read-only and immutable: the characters a URI gives a
// meaning to are escaped, the rest of the path stays as Windows names it.
std::string ImmutableUri(const std::string& path)
{
    std::string uri = "file:";
    for (char character : path) {
        switch (character) {
        case '%': uri += "%25"; break;
        case '?': uri += "%3F"; break;
        case '#': uri += "%23"; break;
        default: uri += character; break;
        }
    }
    return uri + "?mode=ro&immutable=1";
}

// SQLite could not make or open the lock files beside the store (its -shm, -journal): the
// folder or the medium cannot be written.
bool LockFilesRefused(int code)
{
    return (code & 0xFF) == SQLITE_CANTOPEN || code == SQLITE_READONLY_CANTINIT || code == SQLITE_READONLY_CANTLOCK ||
           code == SQLITE_READONLY_RECOVERY || code == SQLITE_READONLY_ROLLBACK || code == SQLITE_READONLY_DIRECTORY;
}

sqlite3* OpenConnection(const std::string& name, int flags, DbError& error)
{
    sqlite3* db = nullptr;
    const int code = sqlite3_open_v2(name.c_str(), &db, flags, nullptr);
    if (code == SQLITE_OK)
        return db;
    error.failure = SqliteFailureOf(code);
    error.code = code;
    error.message = db ? sqlite3_errmsg(db) : sqlite3_errstr(code);
    sqlite3_close_v2(db);
    return nullptr;
}

// Reads the schema's version, the first read of the file; SQLite's code.
int FirstRead(sqlite3* db)
{
    return sqlite3_exec(db, "PRAGMA schema_version", nullptr, nullptr, nullptr);
}

}  // namespace

std::unique_ptr<SqliteDatabase> SqliteDatabase::Open(const std::string& path, SqliteOpen mode, DbError& error,
                                                     int busyMs)
{
    int flags = SQLITE_OPEN_FULLMUTEX | SQLITE_OPEN_EXRESCODE;
    switch (mode) {
    case SqliteOpen::Create:
        flags |= SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
        break;
    case SqliteOpen::Existing:
        flags |= SQLITE_OPEN_READWRITE;
        break;
    case SqliteOpen::ReadOnly:
        flags |= SQLITE_OPEN_READONLY;
        break;
    }
    sqlite3* db = OpenConnection(path, flags, error);
    if (!db)
        return nullptr;
    bool immutable = false;
    if (LockFilesRefused(FirstRead(db))) {
        // A store in a read-only folder, on a CD or a read-only share: nobody writes it
        // there, so it is read as it is, without the lock files SQLite cannot make (and
        // opened read-only, as IsReadOnly then says).
        sqlite3_close_v2(db);
        const int readOnly = (flags & ~(SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE)) | SQLITE_OPEN_READONLY;
        db = OpenConnection(ImmutableUri(path), readOnly | SQLITE_OPEN_URI, error);
        if (!db)
            return nullptr;
        immutable = true;
    }
    std::unique_ptr<SqliteDatabase> database(new SqliteDatabase(db));
    database->immutable_ = immutable;
    database->busyMs_ = busyMs;
    // Reading a stored check touches pages all over a large store: read them from a mapping
    // of the file rather than a call to the system each, and keep more of them.
    if (!database->Configured(sqlite3_busy_handler(db, &SqliteDatabase::WaitWhileBusy, database.get())) ||
        !database->Configured(sqlite3_extended_result_codes(db, 1)) ||
        !database->Configured(sqlite3_exec(db, "PRAGMA mmap_size = 268435456; PRAGMA cache_size = -32768", nullptr,
                                           nullptr, nullptr)) ||
        !database->Configured(sqlite3_create_function_v2(db, "version_key", 1,
                                                         SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS, nullptr,
                                                         VersionKeyFunction, nullptr, nullptr, nullptr))) {
        error = database->LastError();
        return nullptr;
    }
    return database;
}

bool SqliteDatabase::Configured(int code)
{
    return code == SQLITE_OK || Fail(code);
}

int SqliteDatabase::WaitWhileBusy(void* context, int) noexcept
{
    auto& database = *static_cast<SqliteDatabase*>(context);
    const unsigned long long now = GetTickCount64();
    // A wait that follows another at once, with nothing done between them, goes on with
    // the time the first one began: an operation waits its bound once, not once a lock.
    constexpr unsigned long long kSameWaitGapMs = 1000;
    if (database.busySince_ == 0 || now - database.lastBusy_ > kSameWaitGapMs)
        database.busySince_ = now;
    const unsigned long long waited = now - database.busySince_;
    if (waited >= static_cast<unsigned long long>(database.busyMs_)) {
        database.lastBusy_ = GetTickCount64();
        return 0;
    }
    const unsigned long long pause = waited < 100 ? 5 : waited < 1000 ? 25 : 50;
    Sleep(static_cast<DWORD>(std::min(pause, database.busyMs_ - waited)));
    database.lastBusy_ = GetTickCount64();
    return 1;
}

void SqliteDatabase::Succeeded()
{
    busySince_ = 0;
}

bool SqliteDatabase::Fail()
{
    return Fail(sqlite3_extended_errcode(db_));
}

bool SqliteDatabase::Fail(int code)
{
    error_.failure = SqliteFailureOf(code);
    // A write that found the disk full surfaces as an I/O error; the system's code tells.
    const int system = sqlite3_system_errno(db_);
    if ((code & 0xFF) == SQLITE_IOERR && (system == ERROR_DISK_FULL || system == ERROR_HANDLE_DISK_FULL))
        error_.failure = DbFailure::Full;
    if ((code & 0xFF) == SQLITE_INTERRUPT)
        error_.failure = interrupted_.load() ? DbFailure::Interrupted : DbFailure::TimedOut;
    if (error_.failure == DbFailure::None)
        error_.failure = DbFailure::Other;
    error_.code = code;
    error_.message = sqlite3_errmsg(db_);
    if (error_.failure == DbFailure::Damaged && onDamage_) {
        const auto told = std::move(onDamage_);
        onDamage_ = nullptr;
        told(error_);
    }
    return false;
}

std::unique_ptr<DbStatement> SqliteDatabase::Prepare(std::string_view sql)
{
    sqlite3_stmt* statement = nullptr;
    const int code = sqlite3_prepare_v2(db_, sql.data(), static_cast<int>(sql.size()), &statement, nullptr);
    if (code != SQLITE_OK || !statement) {
        sqlite3_finalize(statement);
        if (code == SQLITE_OK) {
            error_ = {DbFailure::Syntax, 0, "empty statement"};
            return nullptr;
        }
        Fail(code);
        return nullptr;
    }
    return std::make_unique<SqliteStatement>(*this, statement);
}

bool SqliteDatabase::Execute(std::string_view sql)
{
    const std::string text(sql);
    const int code = sqlite3_exec(db_, text.c_str(), nullptr, nullptr, nullptr);
    if (code != SQLITE_OK)
        return Fail(code);
    Succeeded();
    return true;
}

std::unique_ptr<DbStatement> SqliteDatabase::PrepareReadOnly(std::string_view sql)
{
    if (!IsOneReadingStatement(sql, error_))
        return nullptr;
    // Without the authorizer, nothing is prepared; removing it cannot fail.
    if (!Configured(sqlite3_set_authorizer(db_, ReadingOnly, nullptr)))
        return nullptr;
    sqlite3_stmt* statement = nullptr;
    const char* tail = nullptr;
    int code = sqlite3_prepare_v2(db_, sql.data(), static_cast<int>(sql.size()), &statement, &tail);
    // What SQLite's parser finds after the statement: nothing but blanks and comments.
    sqlite3_stmt* second = nullptr;
    if (code == SQLITE_OK && statement && tail && tail < sql.data() + sql.size()) {
        const int after = sqlite3_prepare_v2(db_, tail, static_cast<int>(sql.data() + sql.size() - tail), &second, nullptr);
        if (second || after != SQLITE_OK) {
            sqlite3_finalize(second);
            sqlite3_set_authorizer(db_, nullptr, nullptr);
            sqlite3_finalize(statement);
            error_ = {DbFailure::Syntax, 0, "more than one statement"};
            return nullptr;
        }
    }
    sqlite3_set_authorizer(db_, nullptr, nullptr);
    if (code != SQLITE_OK || !statement) {
        sqlite3_finalize(statement);
        if (code == SQLITE_OK) {
            error_ = {DbFailure::Syntax, 0, "no statement"};
            return nullptr;
        }
        Fail(code);
        if (error_.code == SQLITE_AUTH)
            error_.failure = DbFailure::ReadOnly;
        return nullptr;
    }
    if (!sqlite3_stmt_readonly(statement)) {
        sqlite3_finalize(statement);
        error_ = {DbFailure::ReadOnly, SQLITE_READONLY, "the statement would write"};
        return nullptr;
    }
    if (const unsigned seconds = QueryTimeLimit())
        deadline_.store((Clock::now() + std::chrono::seconds(seconds)).time_since_epoch().count());
    return std::make_unique<QueryStatement>(*this, statement);
}

bool SqliteDatabase::BeginWrite()
{
    return Execute("BEGIN IMMEDIATE");
}

bool SqliteDatabase::Commit()
{
    return Execute("COMMIT");
}

void SqliteDatabase::Rollback()
{
    if (sqlite3_get_autocommit(db_))
        return;   // SQLite undid the transaction itself
    // The failure that led here stays the one told; a rollback that fails too is added to
    // it, and the next BeginWrite fails in turn.
    const int code = sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
    if (code != SQLITE_OK)
        error_.message += std::string(" (the transaction could not be undone: ") + sqlite3_errstr(code) + ")";
}

bool SqliteDatabase::IsReadOnly() const
{
    return sqlite3_db_readonly(db_, "main") == 1;
}

DbError SqliteReadOnlyError()
{
    return {DbFailure::ReadOnly, SQLITE_READONLY, sqlite3_errstr(SQLITE_READONLY)};
}
