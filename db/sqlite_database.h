// The store's database in a SQLite file, compiled into the program: no DLL, no server.
#pragma once
#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <string>

#include "db/database.h"

struct sqlite3;

enum class SqliteOpen {
    Create,     // read and write; the file is created when missing (not its folder)
    Existing,   // read and write; a missing file is an error
    ReadOnly,   // read only; a missing file is an error. A store whose folder or medium
                // cannot be written (where SQLite cannot make its lock files) is read as it
                // is on the disk, as an immutable file.
};

// How long a writer waits for another before it gives up (two programs recording into one
// file take turns; a check's transaction lasts well under a second). It bounds the whole
// wait of one operation, however many locks it meets on the way: the waits of statements
// that follow one another without any succeeding between them add up to it at most.
inline constexpr int kStoreBusyTimeoutMs = 20000;

class SqliteDatabase : public Database {
public:
    SqliteDatabase(const SqliteDatabase&) = delete;
    SqliteDatabase& operator=(const SqliteDatabase&) = delete;
    ~SqliteDatabase() override;

    // Opens `path` (UTF-8); null with `error` set when it cannot be opened. Opening does
    // not read the file yet: a file that is not a database fails at the first statement.
    // A lock held by another program is waited for `busyMs` at most.
    static std::unique_ptr<SqliteDatabase> Open(const std::string& path, SqliteOpen mode, DbError& error,
                                                int busyMs = kStoreBusyTimeoutMs);

    DbDialect Dialect() const override { return DbDialect::Sqlite; }
    std::unique_ptr<DbStatement> Prepare(std::string_view sql) override;
    bool Execute(std::string_view sql) override;
    // Besides the text's check: SQLite's own parser finds nothing after the one statement,
    // an authorizer lets the statement read tables and call functions and nothing else, and
    // SQLite judges that it only reads. Its time limit and Interrupt are watched by a
    // progress handler.
    std::unique_ptr<DbStatement> PrepareReadOnly(std::string_view sql) override;
    void Interrupt() override;
    bool BeginWrite() override;
    bool Commit() override;
    void Rollback() override;
    const DbError& LastError() const override { return error_; }

    // Opened as an immutable file: nothing can be written, and SQLite takes no locks.
    bool Immutable() const { return immutable_; }
    // Called (once) when SQLite first finds the file damaged, with its words.
    void OnDamage(std::function<void(const DbError&)> told) { onDamage_ = std::move(told); }

    // For the few things only SQLite has (read-only statements, the authorizer).
    sqlite3* Handle() const { return db_; }
    // Whether SQLite opened the file read only (its folder or medium refused writing).
    bool IsReadOnly() const;
    // Takes the connection's current error as the last one; returns false.
    bool Fail();
    bool Fail(int code);
    // Whether a setting of the connection answered SQLITE_OK; otherwise it fails with `code`.
    bool Configured(int code);
    // A statement went through: a lock met later is a new wait.
    void Succeeded();

    // The statement of the user's own that runs now ended (its time limit no longer applies).
    void EndQuery() { deadline_.store(Clock::time_point::max().time_since_epoch().count()); }

private:
    using Clock = std::chrono::steady_clock;

    explicit SqliteDatabase(sqlite3* db);
    static int Progress(void* database);

    static int WaitWhileBusy(void* database, int attempt) noexcept;

    sqlite3* db_;
    DbError error_;
    std::atomic<bool> interrupted_{false};
    std::atomic<Clock::rep> deadline_{Clock::time_point::max().time_since_epoch().count()};
    bool immutable_ = false;
    std::function<void(const DbError&)> onDamage_;
    int busyMs_ = kStoreBusyTimeoutMs;
    unsigned long long busySince_ = 0;   // GetTickCount64 when the current wait began; 0: none
    unsigned long long lastBusy_ = 0;    // when a lock was last found taken
};

// The kind of failure of a SQLite result code.
DbFailure SqliteFailureOf(int code);

// SQLite's own words for a file that cannot be written.
DbError SqliteReadOnlyError();
