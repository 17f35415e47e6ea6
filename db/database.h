// The few things the inventory store asks of a database, so that the same code records
// into a SQLite file and into a PostgreSQL server reached through ODBC: prepared
// statements with bound parameters (never values pasted into SQL), rows read column by
// column, transactions. Failures come back as false or DbStep::Error; the database's own
// message and code are in LastError(). Texts are UTF-8.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

// Where the statement texts differ, they differ by this.
enum class DbDialect { Sqlite, Postgres };

// What went wrong, in the database's own words, and of what kind, so that callers can
// tell the user what to do about it.
enum class DbFailure {
    None,
    Busy,           // another program holds the database longer than we wait
    Full,           // the disk is full
    ReadOnly,       // the file or the database cannot be written
    NotADatabase,   // the file is not a SQLite database (or its first page is damaged)
    Damaged,        // SQLite found the file damaged (SQLITE_CORRUPT)
    CannotOpen,     // missing, or a folder, or no access
    Connection,     // the server cannot be reached or the connection broke
    Login,          // wrong credentials
    Constraint,
    Syntax,         // the statement does not parse or names what does not exist
    Interrupted,    // stopped on request (Interrupt)
    TimedOut,       // a statement of the user's own ran longer than its time limit
    Other,
};

struct DbError {
    DbFailure failure = DbFailure::None;
    long long code = 0;        // the database's own code (SQLite extended code, ODBC native code)
    std::string message;       // the database's own message

    void Clear() { *this = DbError{}; }
};

enum class DbStep { Row, Done, Error };
enum class DbType { Null, Integer, Real, Text };

class DbStatement {
public:
    virtual ~DbStatement() = default;

    // Parameters are numbered from 1, in the order of the "?" in the text.
    virtual void BindNull(int index) = 0;
    virtual void BindInt(int index, int64_t value) = 0;
    virtual void BindReal(int index, double value) = 0;
    virtual void BindText(int index, std::string_view text) = 0;

    // The next row, the end, or a failure (the database's LastError tells).
    virtual DbStep Step() = 0;
    // Ready to run again; the bound values stay until bound anew.
    virtual void Reset() = 0;

    // The columns of the current row, numbered from 0.
    virtual int ColumnCount() = 0;
    virtual std::string ColumnName(int column) = 0;
    virtual DbType ColumnType(int column) = 0;
    virtual int64_t Int(int column) = 0;
    virtual double Real(int column) = 0;
    virtual std::string Text(int column) = 0;
    bool IsNull(int column) { return ColumnType(column) == DbType::Null; }
};

class Database {
public:
    virtual ~Database() = default;

    virtual DbDialect Dialect() const = 0;
    // A statement ready to bind and run; null on failure.
    virtual std::unique_ptr<DbStatement> Prepare(std::string_view sql) = 0;
    // Runs statements that return no rows (several, separated by ";", for SQLite).
    virtual bool Execute(std::string_view sql) = 0;
    // A statement of the user's own that may only read, whatever its text: one statement,
    // nothing that writes, attaches another database, changes a setting or loads code.
    // Null otherwise, with LastError's failure ReadOnly (it would do more than read) or
    // Syntax (more than one statement, or none). Each database enforces it its own way, on
    // top of IsOneReadingStatement.
    virtual std::unique_ptr<DbStatement> PrepareReadOnly(std::string_view sql) = 0;
    // Statements of the user's own (PrepareReadOnly) end with DbFailure::TimedOut once they
    // have run `seconds` from their preparing; 0: no limit.
    void SetQueryTimeLimit(unsigned seconds) { queryTimeLimit_ = seconds; }
    unsigned QueryTimeLimit() const { return queryTimeLimit_; }
    // From any thread: the statement of the user's own now running, and every one after it,
    // ends as soon as the database can (DbFailure::Interrupted), on a server too.
    virtual void Interrupt() = 0;
    // A write transaction: it takes the database's write lock at once, so that two
    // writers wait for each other instead of failing half-way.
    virtual bool BeginWrite() = 0;
    virtual bool Commit() = 0;
    // Leaves LastError as it was: the failure that led here is what the user must see.
    virtual void Rollback() = 0;

    virtual const DbError& LastError() const = 0;

protected:
    // Refuses, by its text read as this database reads it, what is not one statement that
    // starts as reading ones do (SELECT, WITH, VALUES, TABLE); false with `error`.
    bool IsOneReadingStatement(std::string_view sql, DbError& error) const;

private:
    unsigned queryTimeLimit_ = 0;
};

// A write transaction that rolls back unless committed.
class DbTransaction {
public:
    explicit DbTransaction(Database& database) : database_(database), open_(database.BeginWrite()) {}
    DbTransaction(const DbTransaction&) = delete;
    DbTransaction& operator=(const DbTransaction&) = delete;
    ~DbTransaction()
    {
        if (open_)
            database_.Rollback();
    }
    bool IsOpen() const { return open_; }
    bool Commit()
    {
        if (!open_)
            return false;
        open_ = false;
        if (database_.Commit())
            return true;
        database_.Rollback();
        return false;
    }

private:
    Database& database_;
    bool open_;
};
