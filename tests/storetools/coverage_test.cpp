// The coverage the store keeps of what the sources found, in a file and on the server: the
// view and the three ready-made questions over it, and /fresh:'s checks of late.
#include <gtest/gtest.h>

#include "db/odbc_database.h"
#include "db/sqlite_database.h"
#include "storetools/found_coverage.h"
#include "store/store_query.h"
#include "store/store_schema.h"
#include "tests/store/store_fixture.h"

namespace {

std::vector<std::vector<std::string>> Ask(InventoryStore& store, const char* name)
{
    const Question* question = FindQuestion(name);
    EXPECT_TRUE(question) << name;
    if (!question)
        return {};
    QueryAnswer answer;
    std::string message;
    EXPECT_EQ(RunReadOnlyQuery(store.Db(), question->sql, {}, answer, message), AnswerOutcome::Answered) << message;
    return Texts(answer);
}

StoredCheck Failed(const std::string& computer, int64_t epoch, const char* result)
{
    StoredCheck check = MakeCheck(computer, {}, 1000, 5000, epoch);
    check.parts.clear();
    check.header.result = result;
    check.header.complete = false;
    check.header.message = "not found";
    return check;
}

CheckTime At(int64_t epoch)
{
    CheckTime time;
    time.epoch = epoch;
    time.local = "local" + std::to_string(epoch);
    time.utc = "utc" + std::to_string(epoch);
    return time;
}

FoundComputer Found(const std::string& name, const std::string& os = "Windows 11 Enterprise")
{
    return FoundComputer{name, name, os, "10.0", "2026-12-01T08:00:00+09:00", "cn=" + name + ",ou=Lab,dc=x"};
}

}  // namespace

TEST(Coverage, FoundComputersAnswerTheCoverageQuestions)
{
    TestStore test("mirel-store-coverage");
    std::unique_ptr<InventoryStore> store = test.Open();
    ASSERT_TRUE(store) << test.LastMessage();
    const std::string source = "LDAP://dc:389/ou=Lab,dc=x";
    // The first read finds four; old is checked fine (kept under its name in capitals),
    // then fails twice; gone and 端末 are checked fine; new never.
    ASSERT_TRUE(RecordFoundComputers(store->Db(), source,
                                     {Found("old"), Found("gone"), Found("new"), Found("\xE7\xAB\xAF\xE6\x9C\xAB")},
                                     At(1000)));
    for (StoredCheck check : {MakeCheck("OLD", {{"BITS", "Auto", "Running"}}, 1000, 5000, 1100),
                              Failed("old", 1200, "hostNotFound"), Failed("old", 1300, "noAnswer"),
                              MakeCheck("gone", {{"BITS", "Auto", "Running"}}, 1000, 5000, 1150),
                              MakeCheck("\xE7\xAB\xAF\xE6\x9C\xAB", {}, 1000, 5000, 1160)})
        ASSERT_TRUE(store->Record(check)) << store->FailureMessage();
    // The next read no longer finds GONE; it finds NEW again with another system.
    ASSERT_TRUE(RecordFoundComputers(store->Db(), source,
                                     {Found("old"), Found("NEW", "Windows Server 2022"),
                                      Found("\xE7\xAB\xAF\xE6\x9C\xAB")},
                                     At(2000)));
    EXPECT_EQ(Ask(*store, "found-never-checked"),
              (std::vector<std::vector<std::string>>{
                  {"NEW", source, "Windows Server 2022", "2026-12-01T08:00:00+09:00", "local1000", "local2000"}}));
    EXPECT_EQ(Ask(*store, "found-offline"),
              (std::vector<std::vector<std::string>>{
                  {"old", "local1200", "local1300", "noAnswer", "not found", source}}));
    EXPECT_EQ(Ask(*store, "checked-not-found"),
              (std::vector<std::vector<std::string>>{
                  {"gone", source, "local1000", "local1150", "ok", "cn=gone,ou=Lab,dc=x"}}));
    QueryAnswer answer;
    std::string message;
    ASSERT_EQ(RunReadOnlyQuery(store->Db(),
                               "SELECT computer, still_found, COALESCE(last_result, '-') FROM coverage"
                               " ORDER BY last_found_epoch, computer",
                               {}, answer, message),
              AnswerOutcome::Answered)
        << message;
    EXPECT_EQ(Texts(answer), (std::vector<std::vector<std::string>>{{"gone", "0", "ok"},
                                                                     {"NEW", "1", "-"},
                                                                     {"old", "1", "noAnswer"},
                                                                     {"\xE7\xAB\xAF\xE6\x9C\xAB", "1", "ok"}}))
        << "new: the second read took its new spelling";
}

TEST(Coverage, FreshChecksAreThoseCompleteAndRecent)
{
    TestStore test("mirel-store-fresh");
    std::unique_ptr<InventoryStore> store = test.Open();
    ASSERT_TRUE(store) << test.LastMessage();
    StoredCheck typed = MakeCheck("PC01", {}, 1000, 5000, 5000);
    typed.header.target = "pc01.example.com";   // checked by its DNS name, kept under its own
    StoredCheck older = MakeCheck("PC02", {}, 1000, 5000, 1000);
    StoredCheck failed = Failed("PC03", 5000, "noAnswer");
    StoredCheck partial = MakeCheck("PC04", {}, 1000, 5000, 5000);
    partial.header.complete = false;
    partial.header.result = "incomplete";
    for (StoredCheck* check : {&typed, &older, &failed, &partial})
        ASSERT_TRUE(store->Record(*check)) << store->FailureMessage();
    std::unordered_set<std::string> keys;
    ASSERT_TRUE(RecentlyCheckedKeys(store->Db(), kStandardKind, 4000, keys));
    EXPECT_TRUE(keys.count(IdentityMatchKey("pc01.example.com")));
    EXPECT_TRUE(keys.count(IdentityMatchKey("pc01")));
    EXPECT_FALSE(keys.count(IdentityMatchKey("PC02"))) << "too old";
    EXPECT_FALSE(keys.count(IdentityMatchKey("PC03"))) << "failed";
    EXPECT_FALSE(keys.count(IdentityMatchKey("PC04"))) << "incomplete";
    keys.clear();
    ASSERT_TRUE(RecentlyCheckedKeys(store->Db(), "Win32_BIOS", 0, keys));
    EXPECT_TRUE(keys.empty()) << "another kind";
}

// A store of the version before coverage was kept is brought forward: its checks stay and
// count for the computers found afterwards, by the name they were typed as.
TEST(Coverage, AStoreOfTheVersionBeforeIsBroughtForwardWithItsChecksCounted)
{
    TestStore test("mirel-store-coverage-migrate");
    {
        DbError error;
        std::unique_ptr<Database> db = test.OnServer() ? OpenOdbcDatabase(test.Location().connection, 10, error)
                                                       : SqliteDatabase::Open(test.File("inventory.db"),
                                                                              SqliteOpen::Create, error);
        ASSERT_TRUE(db) << error.message;
        ASSERT_EQ(PrepareSchema(*db, true, 6).version, 6);
        for (const std::string& row : {
                 "INSERT INTO store_computers (id, name, name_key) VALUES (1, 'PC01', '" + IdentityMatchKey("PC01") + "')",
                 "INSERT INTO store_checks (id, computer_id, target, target_key, identified, domain, checked_at,"
                 " checked_epoch, local_time, utc_offset, kind, account, result, error_code, message, complete,"
                 " seconds, source, language) VALUES (1, 1, 'PC01.Corp.Example', '" +
                     IdentityMatchKey("PC01.Corp.Example") +
                     "', 1, 'corp.example', 'utc5000', 5000, 'local5000', 0, 'standard', '', 'ok', 0, '', 1, 0.0,"
                     " 'test', 0)"})
            ASSERT_TRUE(db->Execute(row)) << db->LastError().message << row;
    }
    std::unique_ptr<InventoryStore> store = test.Open(StoreAccess::Record);
    ASSERT_TRUE(store) << test.LastMessage();
    ASSERT_TRUE(RecordFoundComputers(store->Db(), "LDAP://dc:389/dc=corp,dc=example",
                                     {Found("pc01.corp.example"), Found("pc02.corp.example")}, At(6000)));
    const std::vector<std::vector<std::string>> never = Ask(*store, "found-never-checked");
    ASSERT_EQ(never.size(), 1u);
    EXPECT_EQ(never[0][0], "pc02.corp.example");
    std::unordered_set<std::string> keys;
    ASSERT_TRUE(RecentlyCheckedKeys(store->Db(), "standard", 4000, keys));
    EXPECT_TRUE(keys.count(IdentityMatchKey("pc01.corp.example")));
}
