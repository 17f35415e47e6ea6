// The store on the PostgreSQL server the tests started, through Wine's odbc32, unixODBC and
// the PostgreSQL driver: values cross intact, failures keep the server's words and never the
// password, waits end within the time-out, a broken connection is tried once more. Skipped
// when the tests do not run against the server.
#include <winsock2.h>
#include <windows.h>

#include <gtest/gtest.h>

#include "base/text_util.h"
#include "resources/resource.h"
#include "resources/text.h"
#include "db/odbc_database.h"
#include "store/record_queue.h"
#include "store/store_history.h"
#include "tests/store/store_fixture.h"

namespace {

constexpr char kForeignDatabase[] = "foreign_program";   // made by tests/tools/postgres_server.sh

// The connection string with another attribute value (e.g. "Pwd", "wrong").
std::string WithAttribute(const std::string& connection, const std::string& name, const std::string& value)
{
    const size_t at = connection.find(";" + name + "=");
    if (at == std::string::npos)
        return connection + ";" + name + "=" + value;
    const size_t end = connection.find(';', at + 1);
    return connection.substr(0, at + name.size() + 2) + value + (end == std::string::npos ? "" : connection.substr(end));
}

class OdbcStoreTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const char* server = std::getenv("MIREL_TEST_STORE");
        if (!server || !ParseStoreLocation(server, location_) || location_.kind != StoreLocation::Kind::Odbc)
            GTEST_SKIP() << "not run against the test server";
    }
    std::unique_ptr<Database> Connect(const std::string& connection, DbError& error, unsigned timeout = 10)
    {
        return OpenOdbcDatabase(connection, timeout, error);
    }
    int64_t Number(Database& database, const std::string& sql)
    {
        std::unique_ptr<DbStatement> statement = database.Prepare(sql);
        return statement && statement->Step() == DbStep::Row ? statement->Int(0) : -1;
    }

    StoreLocation location_;
};

TEST_F(OdbcStoreTest, ValuesCrossIntactAndStatementsRunAgain)
{
    DbError error;
    std::unique_ptr<Database> database = Connect(location_.connection, error);
    ASSERT_TRUE(database) << error.message;
    ASSERT_TRUE(database->Execute("CREATE TEMPORARY TABLE t (i BIGINT, r DOUBLE PRECISION, s TEXT)"));
    std::unique_ptr<DbStatement> insert = database->Prepare("INSERT INTO t (i, r, s) VALUES (?, ?, ?) RETURNING i");
    ASSERT_TRUE(insert);
    std::string longText;
    for (int i = 0; i < 30000; ++i)
        longText += "\xE6\x97\xA5\xF0\x9D\x84\x9E-";   // 日, 𝄞 (a surrogate pair in UTF-16), "-"
    const struct {
        int64_t i;
        double r;
        std::string s;
    } rows[] = {{INT64_MIN, 1.0 / 3, longText}, {INT64_MAX, -0.0, "サービス 'x'; \"y\" ?"}};
    for (const auto& row : rows) {
        insert->Reset();
        insert->BindInt(1, row.i);
        insert->BindReal(2, row.r);
        insert->BindText(3, row.s);
        ASSERT_EQ(insert->Step(), DbStep::Row) << database->LastError().message;
        EXPECT_EQ(insert->Int(0), row.i);
        EXPECT_EQ(insert->Step(), DbStep::Done);
    }
    insert->Reset();
    insert->BindNull(1);
    insert->BindNull(2);
    insert->BindNull(3);
    ASSERT_EQ(insert->Step(), DbStep::Row) << database->LastError().message;
    EXPECT_TRUE(insert->IsNull(0));

    std::unique_ptr<DbStatement> select = database->Prepare("SELECT i, r, s AS text_column FROM t ORDER BY i NULLS LAST");
    ASSERT_TRUE(select);
    for (const auto& row : rows) {
        ASSERT_EQ(select->Step(), DbStep::Row) << database->LastError().message;
        EXPECT_EQ(select->ColumnType(0), DbType::Integer);
        EXPECT_EQ(select->Int(0), row.i);
        EXPECT_EQ(select->Real(1), row.r);
        EXPECT_EQ(select->Text(2), row.s);
    }
    ASSERT_EQ(select->Step(), DbStep::Row);
    EXPECT_TRUE(select->IsNull(0) && select->IsNull(1) && select->IsNull(2));
    EXPECT_EQ(select->ColumnName(2), "text_column");
    EXPECT_EQ(select->Step(), DbStep::Done);
    EXPECT_EQ(select->ColumnName(2), "text_column");   // also after the last row
    select->Reset();
    EXPECT_EQ(select->Step(), DbStep::Row);

    // Exact numbers as SQLite holds them: whole ones as integers, others as real numbers.
    std::unique_ptr<DbStatement> exact = database->Prepare("SELECT sum(i), round(2.25, 1) FROM t WHERE i < 0");
    ASSERT_TRUE(exact && exact->Step() == DbStep::Row);
    EXPECT_EQ(exact->ColumnType(0), DbType::Integer);
    EXPECT_EQ(exact->Int(0), INT64_MIN);
    EXPECT_EQ(exact->ColumnType(1), DbType::Real);
    EXPECT_EQ(exact->Real(1), 2.3);

    std::unique_ptr<DbStatement> update = database->Prepare("UPDATE t SET s = ? WHERE i = 42");
    ASSERT_TRUE(update);
    update->BindText(1, "none");
    EXPECT_EQ(update->Step(), DbStep::Done);   // met no row
}

TEST_F(OdbcStoreTest, FailuresKeepTheServersWordsAndARollbackItsCause)
{
    DbError error;
    std::unique_ptr<Database> database = Connect(location_.connection, error);
    ASSERT_TRUE(database) << error.message;
    std::unique_ptr<DbStatement> wrong = database->Prepare("SELEC 1");
    EXPECT_TRUE(!wrong || wrong->Step() == DbStep::Error);
    EXPECT_EQ(database->LastError().failure, DbFailure::Syntax);
    EXPECT_NE(database->LastError().message.find("syntax error"), std::string::npos) << database->LastError().message;

    ASSERT_TRUE(database->Execute("CREATE TEMPORARY TABLE u (k TEXT PRIMARY KEY)"));
    {
        DbTransaction transaction(*database);
        ASSERT_TRUE(transaction.IsOpen());
        EXPECT_TRUE(database->Execute("INSERT INTO u VALUES ('a')"));
        EXPECT_FALSE(database->Execute("INSERT INTO u VALUES ('a')"));
    }
    EXPECT_EQ(database->LastError().failure, DbFailure::Constraint);
    EXPECT_NE(database->LastError().message.find("duplicate key"), std::string::npos) << database->LastError().message;
    EXPECT_EQ(Number(*database, "SELECT count(*) FROM u"), 0);   // rolled back, and the connection goes on
}

TEST_F(OdbcStoreTest, RefusedLoginsAndDatabasesNameTheCauseNeverThePassword)
{
    const std::string password = "Wrong-Secret-42";
    DbError error;
    EXPECT_FALSE(Connect(WithAttribute(location_.connection, "Pwd", password), error));
    EXPECT_EQ(error.failure, DbFailure::Login);
    EXPECT_NE(error.message.find("password authentication failed"), std::string::npos) << error.message;

    StoreLocation wrong = location_;
    wrong.connection = WithAttribute(location_.connection, "Pwd", password);
    const std::string message = StoreFailureMessage(wrong, error);
    EXPECT_EQ(message.find(password), std::string::npos) << message;
    EXPECT_EQ(message.find(PasswordOf(location_.connection)), std::string::npos) << message;
    EXPECT_NE(message.find("Uid=mirel"), std::string::npos) << message;

    EXPECT_FALSE(Connect(WithAttribute(location_.connection, "Database", "no_such_database"), error));
    EXPECT_EQ(error.failure, DbFailure::CannotOpen);
    EXPECT_NE(error.message.find("no_such_database"), std::string::npos) << error.message;

    // A database of another program is left as it was.
    StoreLocation foreign = location_;
    foreign.connection = WithAttribute(location_.connection, "Database", kForeignDatabase);
    std::string refusal;
    StoreOpenFailure failure;
    EXPECT_FALSE(InventoryStore::Open(foreign, StoreAccess::Record, 10, refusal, failure));
    EXPECT_EQ(refusal, FillIn(LoadText(IDS_STORE_FOREIGN), DescribeStoreLocation(foreign)));
    std::unique_ptr<Database> other = Connect(foreign.connection, error);
    ASSERT_TRUE(other) << error.message;
    EXPECT_EQ(Number(*other, "SELECT count(*) FROM information_schema.tables WHERE table_schema = 'public'"), 1);
}

TEST_F(OdbcStoreTest, APasswordWithBracesAndSemicolonsLogsInWrittenAsTheDriverReadsIt)
{
    DbError error;
    std::unique_ptr<Database> owner = Connect(location_.connection, error);
    ASSERT_TRUE(owner) << error.message;
    // The role's own password, changed for the test and given back however it ends.
    const std::string kept = PasswordOf(location_.connection);
    ASSERT_TRUE(owner->Execute("ALTER ROLE mirel PASSWORD 'p}a;ss{w=rd}'")) << owner->LastError().message;
    struct GivenBack {
        Database& owner;
        std::string password;
        ~GivenBack() { owner.Execute("ALTER ROLE mirel PASSWORD '" + password + "'"); }
    } givenBack{*owner, kept};
    const std::string connection = WithAttribute(location_.connection, "Pwd", "{p}}a;ss{w=rd}}}");
    ASSERT_EQ(PasswordOf(connection), "p}a;ss{w=rd}");
    std::unique_ptr<Database> database = Connect(connection, error);
    ASSERT_TRUE(database) << error.message;
    EXPECT_EQ(Number(*database, "SELECT 1"), 1);

    EXPECT_FALSE(Connect(WithAttribute(location_.connection, "Pwd", "{p}a;ss{w=rd}"), error)) << "a brace not doubled";
    StoreLocation wrong = location_;
    wrong.connection = WithAttribute(location_.connection, "Pwd", "p}a;ss{w=rd}");
    const std::string message = StoreFailureMessage(wrong, error);
    EXPECT_EQ(message.find("ss{w"), std::string::npos) << message;
}

TEST_F(OdbcStoreTest, AServerThatNeverAnswersIsGivenUpWithinTheTimeOut)
{
    WSADATA winsock;
    ASSERT_EQ(WSAStartup(MAKEWORD(2, 2), &winsock), 0);
    SOCKET silent = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int size = sizeof address;
    ASSERT_EQ(bind(silent, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(listen(silent, 4), 0);   // accepts connections (the backlog does) and never says a word
    getsockname(silent, reinterpret_cast<sockaddr*>(&address), &size);
    const std::string port = std::to_string(ntohs(address.sin_port));

    DbError error;
    const ULONGLONG start = GetTickCount64();
    EXPECT_FALSE(Connect(WithAttribute(location_.connection, "Port", port), error, 2));
    const ULONGLONG silentMs = GetTickCount64() - start;
    EXPECT_EQ(error.failure, DbFailure::Connection) << error.message;
    EXPECT_LT(silentMs, 6000u) << error.message;
    closesocket(silent);

    const ULONGLONG closedStart = GetTickCount64();
    EXPECT_FALSE(Connect(WithAttribute(location_.connection, "Port", port), error, 2));   // nobody listens now
    EXPECT_EQ(error.failure, DbFailure::Connection) << error.message;
    EXPECT_LT(GetTickCount64() - closedStart, 6000u) << error.message;
    WSACleanup();
}

TEST_F(OdbcStoreTest, ABrokenConnectionIsTriedOnceMoreOnANewOne)
{
    TestStore empty("odbc-broken.db");
    std::unique_ptr<InventoryStore> store = empty.Open();
    ASSERT_TRUE(store);
    DbError error;
    std::unique_ptr<Database> admin = Connect(location_.connection, error);
    ASSERT_TRUE(admin) << error.message;
    auto breakConnection = [&] {
        const int64_t backend = Number(store->Db(), "SELECT pg_backend_pid()");
        ASSERT_GT(backend, 0);
        EXPECT_EQ(Number(*admin, "SELECT CASE WHEN pg_terminate_backend(" + std::to_string(backend) + ") THEN 1 ELSE 0 END"), 1);
    };
    StoredCheck first = MakeCheck("PC-1", {{"BITS", "Auto", "Running"}});
    breakConnection();
    // Without a way to reconnect, the failure is told, in the server's words.
    RecordOutcome lost = RecordWithRetry(store, {}, first);
    EXPECT_FALSE(lost.recorded);
    EXPECT_EQ(store->Db().LastError().failure, DbFailure::Connection) << lost.message;
    EXPECT_NE(lost.message.find(DescribeStoreLocation(location_)), std::string::npos) << lost.message;

    int reopened = 0;
    const StoreReopen reopen = [&](std::string& message) {
        ++reopened;
        StoreOpenFailure failure;
        return InventoryStore::Open(empty.Location(), StoreAccess::Record, 10, message, failure);
    };
    StoredCheck second = MakeCheck("PC-1", {{"BITS", "Manual", "Running"}});
    EXPECT_TRUE(RecordWithRetry(store, reopen, first).recorded);
    breakConnection();
    EXPECT_TRUE(RecordWithRetry(store, reopen, second).recorded);
    EXPECT_EQ(reopened, 2);
    std::vector<StoredCheckHeader> checks;
    ASSERT_EQ(ListChecks(store->Statements(), "PC-1", checks), Lookup::Found);
    ASSERT_EQ(checks.size(), 2u);
    EXPECT_EQ(checks[1].changes, 1);   // StartMode changed
}

}  // namespace
