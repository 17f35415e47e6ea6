// An older store brought forward: every check reads back with the values it was recorded
// with, volatile ones included, its changes and history as they were, and the checks
// recorded afterwards share what the older ones stored.
#include <gtest/gtest.h>

#include <set>
#include <tuple>

#include "store/check_reader.h"
#include "db/odbc_database.h"
#include "store/raw_cell.h"
#include "db/sqlite_database.h"
#include "store/store_query.h"
#include "store/store_schema.h"
#include "tests/store/store_fixture.h"
#include "tests/store/store_v3_rows.h"

namespace {

// Check, part, class, state, object, identity, property position, VARIANT type, raw kind, raw, shown.
using Value = std::tuple<int64_t, int64_t, std::string, int64_t, int64_t, std::string, int64_t, int64_t, int64_t,
                         std::string, std::string>;

// Every value of every check as version 3 kept it, read with SQL of its own.
std::set<Value> ValuesOfVersion3(Database& db)
{
    std::set<Value> values;
    std::unique_ptr<DbStatement> select = db.Prepare(
        "SELECT p.check_id, p.ordinal, p.class_name, p.state, m.position, o.identity, x.position, x.vartype,"
        " x.raw_kind, COALESCE(x.raw, '<null>'), x.shown FROM store_parts p"
        " JOIN store_set_members m ON m.set_id = p.set_id JOIN store_objects o ON o.id = m.object_id"
        " JOIN store_cells x ON x.object_id = o.id"
        " UNION ALL SELECT p.check_id, p.ordinal, p.class_name, p.state, v.member, o.identity, v.position, v.vartype,"
        " v.raw_kind, COALESCE(v.raw, '<null>'), v.shown FROM store_parts p"
        " JOIN store_set_members m ON m.set_id = p.set_id JOIN store_objects o ON o.id = m.object_id"
        " JOIN store_volatile v ON v.check_id = p.check_id AND v.ordinal = p.ordinal AND v.member = m.position");
    while (select && select->Step() == DbStep::Row)
        values.emplace(select->Int(0), select->Int(1), select->Text(2), select->Int(3), select->Int(4), select->Text(5),
                       select->Int(6), select->Int(7), select->Int(8), select->Text(9), select->Text(10));
    return values;
}

// The same of checks as the store reads them back now.
std::set<Value> ValuesRead(InventoryStore& store, int64_t checks)
{
    std::set<Value> values;
    for (int64_t id = 1; id <= checks; ++id) {
        StoredCheck check;
        EXPECT_EQ(LoadCheck(store.Statements(), id, check), LoadResult::Loaded) << id;
        for (size_t ordinal = 0; ordinal < check.parts.size(); ++ordinal) {
            const StoredPart& part = check.parts[ordinal];
            for (size_t member = 0; member < part.objects.size(); ++member) {
                for (size_t position = 0; position < part.objects[member].cells.size(); ++position) {
                    const StoredCell& cell = part.objects[member].cells[position];
                    const RawCellText raw = EncodeRaw(cell.raw);
                    if (raw.kind == RawKind::Null && cell.text.empty() && cell.raw.vartype == VT_NULL)
                        continue;
                    values.emplace(id, ordinal, part.className, static_cast<int64_t>(part.state), member,
                                   part.objects[member].identity, position, cell.raw.vartype,
                                   static_cast<int64_t>(raw.kind), raw.kind == RawKind::Null ? "<null>" : raw.text,
                                   cell.text);
                }
            }
        }
    }
    return values;
}

std::vector<std::vector<std::string>> Answer(InventoryStore& store, const std::string& sql)
{
    QueryAnswer answer;
    std::string message;
    EXPECT_EQ(RunReadOnlyQuery(store.Db(), sql, {}, answer, message), AnswerOutcome::Answered) << message;
    return Texts(answer);
}

// The store of version 3, in a file or on the server.
std::set<Value> MakeVersion3Store(TestStore& test)
{
    DbError error;
    std::unique_ptr<Database> db;
    if (test.OnServer())
        db = OpenOdbcDatabase(test.Location().connection, 10, error);
    else
        db = SqliteDatabase::Open(test.File("inventory.db"), SqliteOpen::Create, error);
    EXPECT_TRUE(db) << error.message;
    if (!db || PrepareSchema(*db, true, 3).version != 3)
        return {};
    const std::string rows = kStoreVersion3Rows;
    for (size_t start = 0, end; start < rows.size(); start = end + 1) {
        end = rows.find('\n', start);
        std::string row = rows.substr(start, end - start);
        if (db->Dialect() == DbDialect::Postgres)
            for (size_t at = row.find(" char("); at != std::string::npos; at = row.find(" char(", at))
                row.replace(at, 6, " chr(");
        EXPECT_TRUE(row.empty() || db->Execute(row)) << db->LastError().message;
    }
    // A server numbers rows by sequences, which rows given with their numbers leave behind.
    if (db->Dialect() == DbDialect::Postgres) {
        for (const char* table : {"store_computers", "store_checks", "store_columns", "store_objects", "store_sets"})
            EXPECT_TRUE(db->Execute(std::string("SELECT setval(pg_get_serial_sequence('") + table + "', 'id'), "
                                    "(SELECT max(id) FROM " + table + "))")) << db->LastError().message;
    }
    return ValuesOfVersion3(*db);
}

TEST(Migration, AnOlderStoreIsBroughtForwardWithItsChecks)
{
    TestStore test("mirel-store-migrate");
    const std::set<Value> before = MakeVersion3Store(test);
    ASSERT_GT(before.size(), 60u);
    std::string message;
    StoreOpenFailure failure;
    EXPECT_FALSE(InventoryStore::Open(test.Location(), StoreAccess::Query, 5, message, failure));
    std::unique_ptr<InventoryStore> store = test.Open(StoreAccess::Read);
    ASSERT_TRUE(store) << test.LastMessage();
    EXPECT_EQ(ValuesRead(*store, 6), before);

    EXPECT_EQ(Answer(*store, "SELECT check_id, changes FROM checks ORDER BY check_id"),
              (std::vector<std::vector<std::string>>{{"1", ""}, {"2", "0"}, {"3", "2"}, {"4", ""}, {"5", ""}, {"6", ""}}));
    EXPECT_EQ(Answer(*store, "SELECT check_id, object_key, change, property, before_value, after_value FROM changes"
                             " ORDER BY check_id, object_key"),
              (std::vector<std::vector<std::string>>{{"3", "Name=Spooler", "changed", "StartMode", "Auto", "Manual"},
                                                     {"3", "Name=サービス", "added", "", "", ""}}));
    EXPECT_EQ(Answer(*store, "SELECT computer, name, start_mode, state FROM services WHERE name = 'BITS' ORDER BY computer"),
              (std::vector<std::vector<std::string>>{{"PC01", "BITS", "Manual", "Running"},
                                                     {"PC02", "BITS", "Manual", "Running"}}));

    // A check recorded now, the same as the last one brought forward, shares all it stored.
    const int64_t objects = RowsOf(*store, "store_objects"), lists = RowsOf(*store, "store_part_lists");
    const int64_t groups = RowsOf(*store, "store_volatile_groups");
    StoredCheck again = MakeCheck("PC01", {{"BITS", "Manual", "Running"}, {"Spooler", "Manual", "Running"},
                                           {"W32Time", "Manual", "Stopped"}, {"サービス", "Auto", "Running"}},
                                  1200, 4000, 1760000400);
    ASSERT_TRUE(store->Record(again)) << store->FailureMessage();
    EXPECT_EQ(again.header.changes, 0);
    EXPECT_EQ(RowsOf(*store, "store_objects"), objects);
    EXPECT_EQ(RowsOf(*store, "store_part_lists"), lists);
    EXPECT_EQ(RowsOf(*store, "store_volatile_groups"), groups);
}

// Rows of a store of version 5 (the tables of version 4) added to the one above: the same
// computer checked as pc01.corp.example and by its address, filed under those names then.
// Check 8 read its computer-system category (PC01, a domain member); check 9, typed as the
// address, failed before reading anything; check 10 of the address read PC01 later. Check 7
// was pruned.
constexpr char kVersion5Rows[] = R"sql(
INSERT INTO store_computers VALUES (3, 'pc01.corp.example', 'PC01.CORP.EXAMPLE');
INSERT INTO store_computers VALUES (4, '10.0.0.5', '10.0.0.5');
INSERT INTO store_columns VALUES (5, 'columns-of-the-computer-system', 'Win32_ComputerSystem', '-');
INSERT INTO store_column_names VALUES (5, 0, 'Name');
INSERT INTO store_column_names VALUES (5, 1, 'Domain');
INSERT INTO store_column_names VALUES (5, 2, 'DomainRole');
INSERT INTO store_objects VALUES (10, 'object-of-pc01', 5, '');
INSERT INTO store_cells VALUES (10, 0, 8, 5, 'PC01', 'PC01');
INSERT INTO store_cells VALUES (10, 1, 8, 5, 'corp.example', 'corp.example');
INSERT INTO store_cells VALUES (10, 2, 3, 2, '1', 'Member Workstation');
INSERT INTO store_sets VALUES (20, 'set-of-pc01', 1);
INSERT INTO store_set_members VALUES (20, 0, 10);
INSERT INTO store_part_lists VALUES (30, 'list-of-pc01', 1);
INSERT INTO store_part_list_members VALUES (30, 0, 0, 5, 20);
INSERT INTO store_checks (id, computer_id, target, checked_at, checked_epoch, local_time, utc_offset, kind, account, result, error_code, message, complete, seconds, source, language, changes, part_list_id) VALUES (8, 3, 'pc01.corp.example', 'utc1760000500', 1760000500, 'local1760000500', 0, 'Win32_ComputerSystem', '', 'ok', 0, '', 1, 0.0, 'test', 0, NULL, 30);
INSERT INTO store_checks (id, computer_id, target, checked_at, checked_epoch, local_time, utc_offset, kind, account, result, error_code, message, complete, seconds, source, language, changes, part_list_id) VALUES (9, 4, '10.0.0.5', 'utc1760000600', 1760000600, 'local1760000600', 0, 'Win32_ComputerSystem', '', 'noAnswer', 0, '', 0, 0.0, 'test', 0, NULL, NULL);
INSERT INTO store_checks (id, computer_id, target, checked_at, checked_epoch, local_time, utc_offset, kind, account, result, error_code, message, complete, seconds, source, language, changes, part_list_id) VALUES (10, 4, '10.0.0.5', 'utc1760000700', 1760000700, 'local1760000700', 0, 'Win32_ComputerSystem', '', 'ok', 0, '', 1, 0.0, 'test', 0, NULL, 30);
)sql";

TEST(Migration, TheHistoriesOfOneComputerAreMergedKeepingEveryCheckAndNumber)
{
    TestStore test("mirel-store-merge");
    const std::set<Value> before = MakeVersion3Store(test);
    ASSERT_FALSE(before.empty());
    {
        DbError error;
        std::unique_ptr<Database> db = test.OnServer() ? OpenOdbcDatabase(test.Location().connection, 10, error)
                                                       : SqliteDatabase::Open(test.File("inventory.db"),
                                                                              SqliteOpen::Existing, error);
        ASSERT_TRUE(db) << error.message;
        ASSERT_EQ(PrepareSchema(*db, true, 5).version, 5);
        const std::string rows = kVersion5Rows;
        for (size_t start = 0, end; start < rows.size(); start = end + 1) {
            end = rows.find('\n', start);
            const std::string row = rows.substr(start, end - start);
            ASSERT_TRUE(row.empty() || db->Execute(row)) << db->LastError().message << row;
        }
        if (db->Dialect() == DbDialect::Postgres) {
            ASSERT_TRUE(db->Execute("SELECT setval(pg_get_serial_sequence('store_checks', 'id'), 10)"));
        }
    }
    std::unique_ptr<InventoryStore> store = test.Open(StoreAccess::Read);
    ASSERT_TRUE(store) << test.LastMessage();
    EXPECT_EQ(ValuesRead(*store, 6), before) << "the checks of version 3 read back as they were";
    EXPECT_EQ(Answer(*store, "SELECT check_id, computer, typed_as, domain FROM checks ORDER BY check_id"),
              (std::vector<std::vector<std::string>>{{"1", "PC01", "PC01", ""},
                                                     {"2", "PC01", "PC01", ""},
                                                     {"3", "PC01", "pc01", ""},
                                                     {"4", "PC02", "PC02", ""},
                                                     {"5", "PC01", "pc01", ""},
                                                     {"6", "PC01", "pc01", ""},
                                                     {"8", "PC01", "pc01.corp.example", "corp.example"},
                                                     {"9", "PC01", "10.0.0.5", ""},
                                                     {"10", "PC01", "10.0.0.5", "corp.example"}}));
    EXPECT_EQ(Answer(*store, "SELECT count(*) FROM computers"), (std::vector<std::vector<std::string>>{{"2"}}));
    // The merged history's changes: check 10 against check 8, the same computer now.
    EXPECT_EQ(Answer(*store, "SELECT check_id, changes FROM checks WHERE check_id >= 8 ORDER BY check_id"),
              (std::vector<std::vector<std::string>>{{"8", ""}, {"9", ""}, {"10", "0"}}));
    StoredCheck next = MakeCheck("PC01", {{"BITS", "Manual", "Running"}}, 1, 1, 1760000800);
    ASSERT_TRUE(store->Record(next)) << store->FailureMessage();
    EXPECT_EQ(next.header.id, 11);
}

TEST(Migration, AnEmptyStoreOfEveryEarlierVersionIsBroughtForward)
{
    for (int version = 1; version < kStoreSchemaVersion; ++version) {
        SCOPED_TRACE("from version " + std::to_string(version));
        TestStore test("mirel-store-migrate-" + std::to_string(version));
        if (test.OnServer())
            GTEST_SKIP() << "made as a file";
        {
            DbError error;
            std::unique_ptr<SqliteDatabase> db =
                SqliteDatabase::Open(test.File("inventory.db"), SqliteOpen::Create, error);
            ASSERT_TRUE(db);
            ASSERT_EQ(PrepareSchema(*db, true, version).version, version);
        }
        std::unique_ptr<InventoryStore> store = test.Open(StoreAccess::Record);
        ASSERT_TRUE(store) << test.LastMessage();
        StoredCheck check = MakeCheck("PC-OLD", {{"BITS", "Manual", "Stopped"}});
        ASSERT_TRUE(store->Record(check)) << store->FailureMessage();
        EXPECT_EQ(Answer(*store, "SELECT computer, name, state FROM services"),
                  (std::vector<std::vector<std::string>>{{"PC-OLD", "BITS", "Stopped"}}));
    }
}

}  // namespace
