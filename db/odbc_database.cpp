#include "db/odbc_database.h"

#include <charconv>
#include <condition_variable>
#include <cstdlib>
#include <mutex>
#include <thread>
#include <vector>

#include "base/narrow.h"
#include "db/odbc_api.h"
#include "db/store_location.h"

namespace {

// How long a server may take to answer when /timeout: does not say.
constexpr unsigned kDefaultServerTimeoutSeconds = 30;
// Texts are read in pieces of this many characters.
constexpr size_t kTextPiece = 2048;
// A statement of the user's own is read through a cursor, this many rows at a time: the
// driver holds one batch, never the whole answer.
constexpr int kCursorBatch = 1000;
constexpr char kDeclareCursor[] = "DECLARE mirel_answer NO SCROLL CURSOR FOR ";
constexpr char kFetchCursor[] = "FETCH FORWARD 1000 FROM mirel_answer";

class OdbcDatabase;

// A bound value, kept until the statement runs (ODBC reads it then, not when it is bound).
struct OdbcParameter {
    DbType type = DbType::Null;
    int64_t integer = 0;
    double real = 0;
    std::wstring text;
    SQLLEN length = SQL_NULL_DATA;
};

struct OdbcCell {
    DbType type = DbType::Null;
    int64_t integer = 0;
    double real = 0;
    std::string text;
};

struct OdbcColumn {
    std::string name;
    DbType type = DbType::Text;
    bool exactNumber = false;   // NUMERIC or DECIMAL: read as text, held as a number
};

class OdbcStatement : public DbStatement {
public:
    OdbcStatement(OdbcDatabase& database, OdbcHandle statement)
        : database_(database), statement_(std::move(statement))
    {
    }

    void BindNull(int index) override { Parameter(index) = OdbcParameter{}; }
    void BindInt(int index, int64_t value) override
    {
        OdbcParameter& parameter = Parameter(index);
        parameter = {DbType::Integer, value, 0, {}, 0};
    }
    void BindReal(int index, double value) override
    {
        OdbcParameter& parameter = Parameter(index);
        parameter = {DbType::Real, 0, value, {}, 0};
    }
    void BindText(int index, std::string_view text) override
    {
        OdbcParameter& parameter = Parameter(index);
        parameter = {DbType::Text, 0, 0, ToWide(text), 0};
        parameter.length = static_cast<SQLLEN>(parameter.text.size() * sizeof(SQLWCHAR));
    }

    DbStep Step() override;
    void Reset() override;

    int ColumnCount() override { return static_cast<int>(columns_.size()); }
    std::string ColumnName(int column) override
    {
        return column >= 0 && column < ColumnCount() ? columns_[column].name : std::string();
    }
    DbType ColumnType(int column) override { return InRange(column) ? row_[column].type : DbType::Null; }
    int64_t Int(int column) override;
    double Real(int column) override;
    std::string Text(int column) override;

private:
    OdbcParameter& Parameter(int index)
    {
        if (index > static_cast<int>(parameters_.size()))
            parameters_.resize(index);
        return parameters_[index - 1];
    }
    bool InRange(int column) const { return column >= 0 && column < static_cast<int>(row_.size()); }
    bool BindAll();
    bool Describe();
    bool ReadRow();
    bool ReadText(SQLUSMALLINT column, OdbcCell& cell);
    DbStep Fail();
    // Runs `call` (SQLExecute, SQLFetch) on the statement where Stop can cancel it; a
    // database stopped before fails it at once.
    SQLRETURN Cancellable(decltype(&::SQLExecute) call);

    OdbcDatabase& database_;
    OdbcHandle statement_;
    std::vector<OdbcParameter> parameters_;
    std::vector<OdbcColumn> columns_;
    std::vector<OdbcCell> row_;
    std::vector<SQLWCHAR> piece_;
    bool executed_ = false;
    bool cursor_ = false;
};

class OdbcDatabase : public Database {
public:
    OdbcDatabase(std::shared_ptr<const OdbcApi> api, OdbcHandle environment, OdbcHandle connection,
                 std::string secret)
        : api_(std::move(api)), environment_(std::move(environment)), connection_(std::move(connection)),
          secret_(std::move(secret))
    {
    }
    ~OdbcDatabase() override
    {
        if (inTransaction_)
            Rollback();
        WipeText(secret_);
    }

    DbDialect Dialect() const override { return DbDialect::Postgres; }
    std::unique_ptr<DbStatement> Prepare(std::string_view sql) override;
    bool Execute(std::string_view sql) override;
    // Besides the text's check: the server parses the text as the query of a cursor (one
    // statement that returns rows, or nothing runs) in a read-only transaction of its own,
    // on a connection that questions keep read-only for its whole life.
    std::unique_ptr<DbStatement> PrepareReadOnly(std::string_view sql) override;
    void Interrupt() override { Stop(DbFailure::Interrupted); }
    bool BeginWrite() override;
    bool Commit() override;
    void Rollback() override;
    const DbError& LastError() const override { return error_; }

    const OdbcApi& Api() const { return *api_; }
    const std::shared_ptr<const OdbcApi>& SharedApi() const { return api_; }

    // From any thread: the statement running now is cancelled (the server stops working on
    // it), and every later one fails at once, with `reason`.
    void Stop(DbFailure reason)
    {
        std::lock_guard<std::mutex> hold(runningLock_);
        if (stopped_ == DbFailure::None)
            stopped_ = reason;
        if (running_)
            api_->Cancel(running_);
    }

    // For its life, `statement` runs on this thread and Stop cancels it; Allowed() is false
    // (and the statement must not run) when the database was stopped before.
    class Running {
    public:
        Running(OdbcDatabase& database, SQLHANDLE statement) : database_(database)
        {
            std::lock_guard<std::mutex> hold(database_.runningLock_);
            allowed_ = database_.stopped_ == DbFailure::None;
            if (allowed_)
                database_.running_ = statement;
        }
        Running(const Running&) = delete;
        Running& operator=(const Running&) = delete;
        ~Running()
        {
            std::lock_guard<std::mutex> hold(database_.runningLock_);
            database_.running_ = nullptr;
        }
        bool Allowed() const { return allowed_; }

    private:
        OdbcDatabase& database_;
        bool allowed_ = false;
    };

    // Takes the diagnostics of `handle` as the last error; returns false.
    bool Fail(const OdbcHandle& handle)
    {
        error_ = OdbcDiagnostics(*api_, handle, secret_);
        {
            // A statement cancelled on request fails as the request said.
            std::lock_guard<std::mutex> hold(runningLock_);
            if (stopped_ != DbFailure::None) {
                error_.failure = stopped_;
                error_.message = stopped_ == DbFailure::TimedOut ? "time limit reached" : "stopped";
                return false;
            }
        }
        // Drivers tell a connection lost half-way in words of their own; the connection's
        // state tells it plainly.
        SQLUINTEGER dead = SQL_CD_FALSE;
        if (error_.failure != DbFailure::Connection &&
            SQL_SUCCEEDED(api_->GetConnectAttr(connection_.Get(), SQL_ATTR_CONNECTION_DEAD, &dead, 0, nullptr)) &&
            dead == SQL_CD_TRUE)
            error_.failure = DbFailure::Connection;
        return false;
    }

private:
    bool EndTransaction(SQLSMALLINT completion);

    std::shared_ptr<const OdbcApi> api_;
    OdbcHandle environment_;
    OdbcHandle connection_;
    std::string secret_;   // the password, so that no message repeats it
    DbError error_;
    bool inTransaction_ = false;
    std::mutex runningLock_;
    SQLHANDLE running_ = nullptr;             // the statement running now
    DbFailure stopped_ = DbFailure::None;     // why every statement stops, once stopped
};

// ---------------------------------------------------------------- statements

DbType TypeOfSqlType(SQLSMALLINT type)
{
    switch (type) {
    case SQL_BIT:
    case SQL_TINYINT:
    case SQL_SMALLINT:
    case SQL_INTEGER:
    case SQL_BIGINT:
        return DbType::Integer;
    case SQL_REAL:
    case SQL_FLOAT:
    case SQL_DOUBLE:
        return DbType::Real;
    default:
        return DbType::Text;   // texts, dates, and exact numbers (read as their text first)
    }
}

// An exact number as SQLite would hold it: a whole number that fits as an integer, any
// other as a real number.
void HoldAsNumber(OdbcCell& cell)
{
    if (cell.type != DbType::Text)
        return;
    const char* first = cell.text.data();
    const char* last = first + cell.text.size();
    int64_t integer = 0;
    if (const auto read = std::from_chars(first, last, integer); read.ec == std::errc() && read.ptr == last) {
        cell.type = DbType::Integer;
        cell.integer = integer;
    } else if (double real = 0; std::from_chars(first, last, real).ec == std::errc()) {
        cell.type = DbType::Real;
        cell.real = real;
    }
}

bool OdbcStatement::BindAll()
{
    const OdbcApi& api = database_.Api();
    for (size_t i = 0; i < parameters_.size(); ++i) {
        OdbcParameter& parameter = parameters_[i];
        const auto number = static_cast<SQLUSMALLINT>(i + 1);
        SQLRETURN rc;
        switch (parameter.type) {
        case DbType::Integer:
            rc = api.BindParameter(statement_.Get(), number, SQL_PARAM_INPUT, SQL_C_SBIGINT, SQL_BIGINT, 0, 0,
                                   &parameter.integer, 0, &parameter.length);
            break;
        case DbType::Real:
            rc = api.BindParameter(statement_.Get(), number, SQL_PARAM_INPUT, SQL_C_DOUBLE, SQL_DOUBLE, 0, 0,
                                   &parameter.real, 0, &parameter.length);
            break;
        case DbType::Text:
        case DbType::Null: {
            // A null goes as a text of no type in particular: the server takes it for any column.
            const SQLULEN size = std::max<SQLULEN>(parameter.text.size(), 1);
            rc = api.BindParameter(statement_.Get(), number, SQL_PARAM_INPUT, SQL_C_WCHAR,
                                   size > 4000 ? SQL_WLONGVARCHAR : SQL_WVARCHAR, size, 0,
                                   parameter.text.data(), static_cast<SQLLEN>(parameter.text.size() * sizeof(SQLWCHAR)),
                                   &parameter.length);
            break;
        }
        }
        if (!SQL_SUCCEEDED(rc))
            return database_.Fail(statement_);
    }
    return true;
}

bool OdbcStatement::Describe()
{
    SQLSMALLINT count = 0;
    if (!SQL_SUCCEEDED(database_.Api().NumResultCols(statement_.Get(), &count)))
        return database_.Fail(statement_);
    columns_.assign(static_cast<size_t>(count), OdbcColumn{});
    for (SQLSMALLINT column = 0; column < count; ++column) {
        SQLWCHAR name[256] = {};
        SQLSMALLINT nameLength = 0, type = 0, digits = 0, nullable = 0;
        SQLULEN size = 0;
        if (!SQL_SUCCEEDED(database_.Api().DescribeCol(statement_.Get(), static_cast<SQLUSMALLINT>(column + 1), name,
                                                       static_cast<SQLSMALLINT>(std::size(name)), &nameLength, &type,
                                                       &size, &digits, &nullable)))
            return database_.Fail(statement_);
        columns_[column] = {ToNarrow(reinterpret_cast<const wchar_t*>(name)), TypeOfSqlType(type),
                            type == SQL_NUMERIC || type == SQL_DECIMAL};
    }
    return true;
}

bool OdbcStatement::ReadText(SQLUSMALLINT column, OdbcCell& cell)
{
    piece_.resize(kTextPiece);
    const SQLLEN room = static_cast<SQLLEN>(piece_.size() * sizeof(SQLWCHAR));
    std::wstring text;
    for (;;) {
        SQLLEN length = 0;
        const SQLRETURN rc = database_.Api().GetData(statement_.Get(), column, SQL_C_WCHAR, piece_.data(), room, &length);
        if (rc == SQL_NO_DATA)
            break;
        if (!SQL_SUCCEEDED(rc))
            return database_.Fail(statement_);
        if (length == SQL_NULL_DATA) {
            cell = OdbcCell{};
            return true;
        }
        // A piece that did not hold the rest is full but for its terminating zero.
        const bool more = length == SQL_NO_TOTAL || length >= room;
        text.append(reinterpret_cast<const wchar_t*>(piece_.data()),
                    more ? piece_.size() - 1 : static_cast<size_t>(length) / sizeof(SQLWCHAR));
        if (!more)
            break;
    }
    cell.type = DbType::Text;
    cell.text = ToNarrow(text);
    return true;
}

bool OdbcStatement::ReadRow()
{
    row_.assign(columns_.size(), OdbcCell{});
    const OdbcApi& api = database_.Api();
    for (size_t i = 0; i < columns_.size(); ++i) {
        const auto column = static_cast<SQLUSMALLINT>(i + 1);
        OdbcCell& cell = row_[i];
        SQLLEN length = 0;
        SQLRETURN rc = SQL_SUCCESS;
        switch (columns_[i].type) {
        case DbType::Integer:
            rc = api.GetData(statement_.Get(), column, SQL_C_SBIGINT, &cell.integer, 0, &length);
            break;
        case DbType::Real:
            rc = api.GetData(statement_.Get(), column, SQL_C_DOUBLE, &cell.real, 0, &length);
            break;
        default:
            if (!ReadText(column, cell))
                return false;
            if (columns_[i].exactNumber)
                HoldAsNumber(cell);
            continue;
        }
        if (!SQL_SUCCEEDED(rc))
            return database_.Fail(statement_);
        cell.type = length == SQL_NULL_DATA ? DbType::Null : columns_[i].type;
    }
    return true;
}

DbStep OdbcStatement::Fail()
{
    database_.Fail(statement_);
    return DbStep::Error;
}

SQLRETURN OdbcStatement::Cancellable(decltype(&::SQLExecute) call)
{
    const OdbcDatabase::Running running(database_, statement_.Get());
    return running.Allowed() ? call(statement_.Get()) : SQL_ERROR;
}

DbStep OdbcStatement::Step()
{
    const OdbcApi& api = database_.Api();
    if (!executed_) {   // a statement that failed to run is run again, not taken as ended
        if (!BindAll())
            return DbStep::Error;
        const SQLRETURN rc = Cancellable(api.Execute);
        if (rc == SQL_NO_DATA) {   // an UPDATE or DELETE that met no row
            executed_ = true;
            columns_.clear();
            return DbStep::Done;
        }
        if (!SQL_SUCCEEDED(rc) || !Describe())
            return Fail();
        executed_ = true;
        cursor_ = !columns_.empty();
    }
    if (!cursor_)
        return DbStep::Done;
    const SQLRETURN rc = Cancellable(api.Fetch);
    if (rc == SQL_NO_DATA) {
        Reset();
        executed_ = true;
        return DbStep::Done;
    }
    if (!SQL_SUCCEEDED(rc))
        return Fail();
    return ReadRow() ? DbStep::Row : DbStep::Error;
}

void OdbcStatement::Reset()
{
    // A cursor that cannot be closed fails the next execution; its cause is the last error.
    if (cursor_ && !SQL_SUCCEEDED(database_.Api().FreeStmt(statement_.Get(), SQL_CLOSE)))
        database_.Fail(statement_);
    cursor_ = false;
    executed_ = false;
    row_.clear();
}

int64_t OdbcStatement::Int(int column)
{
    if (!InRange(column))
        return 0;
    const OdbcCell& cell = row_[column];
    switch (cell.type) {
    case DbType::Integer:
        return cell.integer;
    case DbType::Real:
        return static_cast<int64_t>(cell.real);
    case DbType::Text:
        return std::strtoll(cell.text.c_str(), nullptr, 10);
    case DbType::Null:
        break;
    }
    return 0;
}

double OdbcStatement::Real(int column)
{
    if (!InRange(column))
        return 0;
    const OdbcCell& cell = row_[column];
    switch (cell.type) {
    case DbType::Integer:
        return static_cast<double>(cell.integer);
    case DbType::Real:
        return cell.real;
    case DbType::Text:
        return std::strtod(cell.text.c_str(), nullptr);
    case DbType::Null:
        break;
    }
    return 0;
}

std::string OdbcStatement::Text(int column)
{
    if (!InRange(column))
        return {};
    const OdbcCell& cell = row_[column];
    switch (cell.type) {
    case DbType::Integer:
        return std::to_string(cell.integer);
    case DbType::Real: {
        char text[64];
        const auto result = std::to_chars(text, text + sizeof text, cell.real);
        return std::string(text, result.ptr);
    }
    case DbType::Text:
        return cell.text;
    case DbType::Null:
        break;
    }
    return {};
}

// Stops the database's statements with DbFailure::TimedOut once `seconds` have passed,
// unless it ended before.
class Watchdog {
public:
    Watchdog(OdbcDatabase& database, unsigned seconds)
        : thread_([this, &database, seconds] {
              std::unique_lock<std::mutex> hold(lock_);
              if (!wake_.wait_for(hold, std::chrono::seconds(seconds), [this] { return ended_; }))
                  database.Stop(DbFailure::TimedOut);
          })
    {
    }
    Watchdog(const Watchdog&) = delete;
    Watchdog& operator=(const Watchdog&) = delete;
    ~Watchdog()
    {
        {
            std::lock_guard<std::mutex> hold(lock_);
            ended_ = true;
        }
        wake_.notify_all();
        thread_.join();
    }

private:
    std::mutex lock_;
    std::condition_variable wake_;
    bool ended_ = false;
    std::thread thread_;   // last: it starts when everything it uses is there
};

// A dollar quote's tag ("$mirel1$"...) that `text` does not hold.
std::string UnusedDollarTag(std::string_view text, int from)
{
    for (int n = from;; ++n) {
        std::string tag = "$mirel" + std::to_string(n) + "$";
        if (text.find(tag) == std::string_view::npos)
            return tag;
    }
}

// A statement of the user's own: the query of a cursor opened in a read-only transaction
// of its own that ends (rolled back) with it, read a batch of rows at a time. A text with
// no values bound (the user's own) reaches the server as one quoted string that PL/pgSQL
// opens as a cursor: the server parses it once, and a text that holds more than one
// statement, or anything but a query, runs nothing, whatever a driver would make of it. A
// ready-made question's own text, with its values bound, is the query of a DECLARE. Its
// time limit is kept twice: by the server (statement_timeout, for each batch) and by a
// watchdog that cancels what runs when the whole time is up.
class CursorStatement : public DbStatement {
public:
    CursorStatement(OdbcDatabase& database, std::string sql, unsigned seconds) : database_(database), sql_(std::move(sql))
    {
        if (seconds)
            watchdog_ = std::make_unique<Watchdog>(database, seconds);
    }
    ~CursorStatement() override
    {
        watchdog_.reset();
        fetch_.reset();
        open_.reset();
        database_.Rollback();
    }

    void BindNull(int index) override
    {
        if (Declared())
            open_->BindNull(index);
    }
    void BindInt(int index, int64_t value) override
    {
        if (Declared())
            open_->BindInt(index, value);
    }
    void BindReal(int index, double value) override
    {
        if (Declared())
            open_->BindReal(index, value);
    }
    void BindText(int index, std::string_view text) override
    {
        if (Declared())
            open_->BindText(index, text);
    }

    DbStep Step() override
    {
        if (finished_)
            return DbStep::Done;
        if (!fetch_) {
            if (failed_ || (!open_ && !(open_ = database_.Prepare(Opener()))))
                return DbStep::Error;
            if (open_->Step() == DbStep::Error || !(fetch_ = database_.Prepare(kFetchCursor)))
                return DbStep::Error;
        }
        for (;;) {
            const DbStep step = fetch_->Step();
            if (step != DbStep::Done) {
                inBatch_ += step == DbStep::Row;
                return step;
            }
            // A batch that was not full was the last.
            finished_ = inBatch_ < kCursorBatch;
            inBatch_ = 0;
            if (finished_)
                return DbStep::Done;
            fetch_->Reset();
        }
    }
    // The cursor is read once.
    void Reset() override {}

    int ColumnCount() override { return fetch_ ? fetch_->ColumnCount() : 0; }
    std::string ColumnName(int column) override { return fetch_ ? fetch_->ColumnName(column) : std::string(); }
    DbType ColumnType(int column) override { return fetch_ ? fetch_->ColumnType(column) : DbType::Null; }
    int64_t Int(int column) override { return fetch_ ? fetch_->Int(column) : 0; }
    double Real(int column) override { return fetch_ ? fetch_->Real(column) : 0; }
    std::string Text(int column) override { return fetch_ ? fetch_->Text(column) : std::string(); }

private:
    // The statement that opens the cursor with values bound: a DECLARE, prepared at the
    // first value; false when it cannot be prepared.
    bool Declared()
    {
        if (!open_ && !failed_) {
            open_ = database_.Prepare(kDeclareCursor + sql_);
            failed_ = !open_;
        }
        return open_ != nullptr;
    }
    // The block that opens the cursor over the text, quoted whole.
    std::string Opener() const
    {
        const std::string outer = UnusedDollarTag(sql_, 1);
        const std::string inner = UnusedDollarTag(sql_ + outer, 2);
        return "DO " + outer + " DECLARE answer refcursor := 'mirel_answer'; BEGIN OPEN answer NO SCROLL FOR EXECUTE " +
               inner + sql_ + "\n" + inner + "; END " + outer;
    }

    OdbcDatabase& database_;
    std::string sql_;
    std::unique_ptr<DbStatement> open_;    // opens the cursor
    std::unique_ptr<DbStatement> fetch_;   // prepared once the cursor is open
    bool failed_ = false;
    std::unique_ptr<Watchdog> watchdog_;
    int inBatch_ = 0;
    bool finished_ = false;
};

// ---------------------------------------------------------------- the connection

std::unique_ptr<DbStatement> OdbcDatabase::Prepare(std::string_view sql)
{
    OdbcHandle statement = OdbcHandle::Allocate(api_, SQL_HANDLE_STMT, connection_.Get());
    if (!statement) {
        Fail(connection_);
        return nullptr;
    }
    std::wstring text = ToWide(sql);
    if (!SQL_SUCCEEDED(api_->Prepare(statement.Get(), text.data(), static_cast<SQLINTEGER>(text.size())))) {
        Fail(statement);
        return nullptr;
    }
    return std::make_unique<OdbcStatement>(*this, std::move(statement));
}

bool OdbcDatabase::Execute(std::string_view sql)
{
    OdbcHandle statement = OdbcHandle::Allocate(api_, SQL_HANDLE_STMT, connection_.Get());
    if (!statement)
        return Fail(connection_);
    std::wstring text = ToWide(sql);
    SQLRETURN rc = api_->ExecDirect(statement.Get(), text.data(), static_cast<SQLINTEGER>(text.size()));
    // Statements after the first answer one by one.
    while (SQL_SUCCEEDED(rc))
        rc = api_->MoreResults(statement.Get());
    return rc == SQL_NO_DATA || Fail(statement);
}

std::unique_ptr<DbStatement> OdbcDatabase::PrepareReadOnly(std::string_view sql)
{
    if (!IsOneReadingStatement(sql, error_) || !BeginWrite())
        return nullptr;
    // Strings read as the text's check read them; the server's own bound on each batch.
    const unsigned seconds = QueryTimeLimit();
    std::string settings = "SET TRANSACTION READ ONLY; SET LOCAL standard_conforming_strings = on";
    if (seconds)
        settings += "; SET LOCAL statement_timeout = " + std::to_string(seconds * 1000ull);
    if (!Execute(settings)) {
        Rollback();
        return nullptr;
    }
    return std::make_unique<CursorStatement>(*this, std::string(sql), seconds);
}

bool OdbcDatabase::BeginWrite()
{
    if (!SQL_SUCCEEDED(api_->SetConnectAttr(connection_.Get(), SQL_ATTR_AUTOCOMMIT,
                                            reinterpret_cast<SQLPOINTER>(SQL_AUTOCOMMIT_OFF), SQL_IS_UINTEGER)))
        return Fail(connection_);
    inTransaction_ = true;
    return true;
}

bool OdbcDatabase::EndTransaction(SQLSMALLINT completion)
{
    inTransaction_ = false;
    const bool ended = SQL_SUCCEEDED(api_->EndTran(SQL_HANDLE_DBC, connection_.Get(), completion)) || Fail(connection_);
    // Back to one transaction per statement; a connection that refuses stays in a
    // transaction of its own, and its next write would wait for a commit that never comes.
    const bool automatic =
        SQL_SUCCEEDED(api_->SetConnectAttr(connection_.Get(), SQL_ATTR_AUTOCOMMIT,
                                           reinterpret_cast<SQLPOINTER>(SQL_AUTOCOMMIT_ON), SQL_IS_UINTEGER)) ||
        !ended || Fail(connection_);
    return ended && automatic;
}

bool OdbcDatabase::Commit()
{
    return EndTransaction(SQL_COMMIT);
}

void OdbcDatabase::Rollback()
{
    const DbError kept = error_;
    EndTransaction(SQL_ROLLBACK);
    error_ = kept;
}

}  // namespace

std::unique_ptr<Database> OpenOdbcDatabase(const std::string& connection, unsigned timeoutSeconds, DbError& error)
{
    const std::shared_ptr<const OdbcApi> api = OdbcApi::Load(error);
    if (!api)
        return nullptr;
    std::string secret = PasswordOf(connection);
    struct Wiped {
        std::string& text;
        ~Wiped() { WipeText(text); }
    } wiped{secret};
    OdbcHandle environment = OdbcHandle::Allocate(api, SQL_HANDLE_ENV, SQL_NULL_HANDLE);
    if (!environment) {
        error = {DbFailure::CannotOpen, 0, "ODBC"};
        return nullptr;
    }
    if (!SQL_SUCCEEDED(api->SetEnvAttr(environment.Get(), SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0))) {
        error = OdbcDiagnostics(*api, environment, secret);
        return nullptr;
    }
    OdbcHandle link = OdbcHandle::Allocate(api, SQL_HANDLE_DBC, environment.Get());
    if (!link) {
        error = OdbcDiagnostics(*api, environment, secret);
        return nullptr;
    }
    // Both bounds, for drivers that honour only one of them; a driver that takes neither
    // could wait for a server that never answers.
    const auto seconds = reinterpret_cast<SQLPOINTER>(static_cast<SQLULEN>(timeoutSeconds ? timeoutSeconds : kDefaultServerTimeoutSeconds));
    const bool login = SQL_SUCCEEDED(api->SetConnectAttr(link.Get(), SQL_ATTR_LOGIN_TIMEOUT, seconds, SQL_IS_UINTEGER));
    const bool answers =
        SQL_SUCCEEDED(api->SetConnectAttr(link.Get(), SQL_ATTR_CONNECTION_TIMEOUT, seconds, SQL_IS_UINTEGER));
    if (!login && !answers) {
        error = OdbcDiagnostics(*api, link, secret);
        return nullptr;
    }
    std::wstring text = ToWide(connection);
    const SQLRETURN rc = api->DriverConnect(link.Get(), nullptr, text.data(), static_cast<SQLSMALLINT>(text.size()),
                                            nullptr, 0, nullptr, SQL_DRIVER_NOPROMPT);
    SecureZeroMemory(text.data(), text.size() * sizeof(wchar_t));
    if (!SQL_SUCCEEDED(rc)) {
        error = OdbcDiagnostics(*api, link, secret);
        if (error.failure == DbFailure::Other)
            error.failure = DbFailure::Connection;
        return nullptr;
    }
    link.SetConnected();
    return std::make_unique<OdbcDatabase>(api, std::move(environment), std::move(link), secret);
}
