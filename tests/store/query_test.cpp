// Questions to the store: the ready-made questions over a small fleet, and statements that
// would do more than read refused without a byte of the store changing.
#include <gtest/gtest.h>

#include "resources/text.h"
#include "db/sql_text.h"
#include "db/sqlite_database.h"
#include "store/store_query.h"
#include "store/store_schema.h"
#include "db/version_key.h"
#include "tests/store/store_fixture.h"

namespace {

constexpr int64_t kDay = 86400;
constexpr int64_t kNow = 1800000000;

// A check of a computer with a program and a hotfix besides the fixture's services, OS and disk.
StoredCheck FleetCheck(const std::string& computer, const std::string& programVersion, const std::string& hotfix,
                       int64_t freeSpace, int64_t epoch, const std::string& spoolerState = "Running")
{
    StoredCheck check = MakeCheck(computer, {{"Spooler", "Auto", spoolerState}, {"BITS", "Manual", "Stopped"}}, 100,
                                  freeSpace, epoch);
    check.parts[2] = MakePart("Win32_LogicalDisk", {"DeviceID", "DriveType", "Size", "FreeSpace"},
                              {{TextCell("C:"), NumberCell(3, "3 : Local Disk"), NumberCell(1000, "1,000"),
                                NumberCell(freeSpace, "free")}});
    check.parts.push_back(MakePart("Win32_Product", {"IdentifyingNumber", "Name", "Version"},
                                   {{TextCell("{1}"), TextCell("Contoso Agent"), TextCell(programVersion)}}));
    check.parts.push_back(MakePart("Win32_QuickFixEngineering", {"HotFixID", "ServicePackInEffect"},
                                   {{TextCell(hotfix), TextCell("")}}));
    check.parts[1] = MakePart("Win32_OperatingSystem", {"Caption", "Version", "BuildNumber", "FreePhysicalMemory"},
                              {{TextCell("Windows 11 Pro"), TextCell("10.0.22631"), TextCell("22631"), NumberCell(5, "5")}});
    return check;
}

class Questions : public testing::Test {
protected:
    void SetUp() override
    {
        SetTextLanguage(kEnglishLanguage);
        store_ = test_.Open();
        ASSERT_TRUE(store_) << test_.LastMessage();
        StoredCheck checks[] = {
            FleetCheck("PC01", "1.2.9", "KB100", 50, kNow - 40 * kDay),
            FleetCheck("PC01", "1.2.10", "KB100", 50, kNow - 2 * kDay),
            FleetCheck("PC02", "1.10.0", "KB200", 900, kNow - 1 * kDay, "Stopped"),
        };
        for (StoredCheck& check : checks)
            ASSERT_TRUE(store_->Record(check)) << store_->FailureMessage();
    }
    void TearDown() override { SetTextLanguage(0); }

    // The answer's rows, each cell as text.
    std::vector<std::vector<std::string>> Ask(const std::string& name, const std::vector<std::string>& parameters)
    {
        const Question* question = FindQuestion(name);
        EXPECT_TRUE(question) << name;
        std::vector<QueryValue> values;
        std::string message;
        EXPECT_TRUE(BindQuestion(*question, parameters, kNow, values, message)) << message;
        QueryAnswer answer;
        EXPECT_EQ(RunReadOnlyQuery(store_->Db(), question->sql, values, answer, message), AnswerOutcome::Answered)
            << name << ": " << message;
        return Texts(answer);
    }

    TestStore test_{"mirel-store-questions"};
    std::unique_ptr<InventoryStore> store_;
};

TEST_F(Questions, EachReadyMadeQuestionAnswersOverTheLatestChecks)
{
    EXPECT_EQ(Ask("missing-hotfix", {"kb100"}).size(), 1u);
    EXPECT_EQ(Ask("missing-hotfix", {"KB200"})[0][0], "PC01");
    const auto old = Ask("program", {"contoso", "below=1.2.11"});
    ASSERT_EQ(old.size(), 1u);   // 1.2.10 is below 1.2.11; 1.10.0 is not
    EXPECT_EQ(old[0][0], "PC01");
    EXPECT_EQ(old[0][2], "1.2.10");
    EXPECT_EQ(Ask("program", {"CONTOSO"}).size(), 2u);
    // "%", "_" and the escape character match themselves alone.
    EXPECT_EQ(Ask("program", {"contoso agent"}).size(), 2u);
    EXPECT_EQ(Ask("program", {"contoso_agent"}).size(), 0u);
    EXPECT_EQ(Ask("program", {"contoso%"}).size(), 0u);
    EXPECT_EQ(Ask("program", {"_"}).size(), 0u);
    EXPECT_EQ(Ask("program", {"!"}).size(), 0u);
    const auto disks = Ask("low-disk", {"10"});
    ASSERT_EQ(disks.size(), 1u);
    EXPECT_EQ(disks[0][0], "PC01");
    EXPECT_EQ(disks[0][5], "5");
    const auto quiet = Ask("not-checked", {"days=1"});
    ASSERT_EQ(quiet.size(), 1u);
    EXPECT_EQ(quiet[0][3], "2");
    const auto versions = Ask("windows-versions", {});
    ASSERT_EQ(versions.size(), 1u);
    EXPECT_EQ(versions[0][4], "2");
    // PC01's program, updated (its version is part of its identity: one removed, one added),
    // and not its free memory.
    const auto changes = Ask("recent-changes", {"7"});
    ASSERT_EQ(changes.size(), 2u);
    EXPECT_EQ(changes[0][3] + " " + changes[0][4], "IdentifyingNumber={1};Name=Contoso Agent;Version=1.2.10 added");
    EXPECT_EQ(changes[1][3] + " " + changes[1][4], "IdentifyingNumber={1};Name=Contoso Agent;Version=1.2.9 removed");
    EXPECT_EQ(Ask("recent-changes", {"50"}).size(), 2u);
    const auto stopped = Ask("stopped-auto-services", {});
    ASSERT_EQ(stopped.size(), 1u);
    EXPECT_EQ(stopped[0][0], "PC02");
}

TEST_F(Questions, EachQuestionDescribesTheColumnsItsSqlAnswersInTheirOrder)
{
    for (const Question& question : ReadyQuestions()) {
        std::vector<std::string> parameters;
        for (const QuestionParameter& parameter : question.parameters)
            parameters.push_back(parameter.type == QuestionType::Text ? "a" : "10");
        std::vector<QueryValue> values;
        std::string message;
        ASSERT_TRUE(BindQuestion(question, parameters, kNow, values, message)) << question.name << ": " << message;
        QueryAnswer answer;
        ASSERT_EQ(RunReadOnlyQuery(store_->Db(), question.sql, values, answer, message), AnswerOutcome::Answered)
            << question.name << ": " << message;
        std::vector<std::string> described;
        for (const AnswerColumn& column : question.columns)
            described.push_back(column.name);
        EXPECT_EQ(answer.columns, described) << question.name;
    }
}

TEST_F(Questions, ParametersMustBeThereOnceAndOfTheirType)
{
    const Question& program = *FindQuestion("program");
    std::vector<QueryValue> values;
    std::string message;
    EXPECT_FALSE(BindQuestion(program, {}, kNow, values, message));
    EXPECT_EQ(message, "Please fill in \"Program name contains\".");
    EXPECT_FALSE(BindQuestion(program, {"a", "b", "c"}, kNow, values, message));
    EXPECT_FALSE(BindQuestion(program, {"program=a", "program=b"}, kNow, values, message));
    EXPECT_TRUE(BindQuestion(program, {"below=2", "agent"}, kNow, values, message)) << message;
    EXPECT_EQ(values[0].text, "agent");
    const Question& disk = *FindQuestion("low-disk");
    for (const char* bad : {"ten", "1e999", "nan", "10.5", "0", "101"}) {
        EXPECT_FALSE(BindQuestion(disk, {bad}, kNow, values, message)) << bad;
        EXPECT_EQ(message, "Free space below (%): Enter a whole number from 1 to 100.") << bad;
    }
    EXPECT_FALSE(BindQuestion(disk, {" "}, kNow, values, message));
    EXPECT_EQ(message, "Please fill in \"Free space below (%)\".");
    EXPECT_TRUE(BindQuestion(disk, {" 100 "}, kNow, values, message)) << message;
    // Every ready-made question names its columns and labels its parameters in both languages.
    for (const Question& question : ReadyQuestions()) {
        EXPECT_FALSE(question.columns.empty()) << question.name;
        for (const AnswerColumn& column : question.columns)
            for (LANGID language : {kEnglishLanguage, kJapaneseLanguage})
                EXPECT_FALSE(LoadTextInLanguage(column.headerId, language).empty()) << question.name << column.name;
        for (const QuestionParameter& parameter : question.parameters)
            EXPECT_FALSE(LoadTextInLanguage(parameter.labelId, kJapaneseLanguage).empty()) << parameter.name;
    }
    EXPECT_FALSE(FindQuestion("no-such-question"));
}

TEST_F(Questions, AStatementThatWouldDoMoreThanReadIsRefusedAndChangesNothing)
{
    if (test_.OnServer())
        GTEST_SKIP() << "the file's bytes are the proof";
    store_.reset();
    const std::string path = test_.File("inventory.db");
    const std::string before = ReadFile(path);
    std::string message;
    StoreOpenFailure failure;
    std::unique_ptr<InventoryStore> reader = InventoryStore::Open(test_.Location(), StoreAccess::Query, 5, message, failure);
    ASSERT_TRUE(reader) << message;
    const char* const refused[] = {
        "DELETE FROM store_checks", "DROP VIEW services", "ATTACH 'x.db' AS x", "PRAGMA user_version = 7",
        "SELECT 1; DELETE FROM store_checks", "VACUUM INTO 'copy.db'", "CREATE TABLE t (a)",
        "WITH x AS (SELECT 1) DELETE FROM store_checks", "BEGIN", "INSERT INTO store_info VALUES ('a', 'b')",
        "/* SELECT */ UPDATE store_checks SET complete = 0", "", "  ;  ",
    };
    for (const char* sql : refused) {
        QueryAnswer answer;
        EXPECT_EQ(RunReadOnlyQuery(reader->Db(), sql, {}, answer, message), AnswerOutcome::Refused) << sql;
    }
    QueryAnswer answer;
    EXPECT_EQ(RunReadOnlyQuery(reader->Db(), "SELECT no_such FROM checks", {}, answer, message), AnswerOutcome::Failed);
    EXPECT_NE(message.find("no_such"), std::string::npos) << message;
    EXPECT_EQ(RunReadOnlyQuery(reader->Db(), "SELECT computer, ';' FROM checks -- ; DROP", {}, answer, message),
              AnswerOutcome::Answered) << message;
    EXPECT_EQ(answer.rows.size(), 3u);
    reader.reset();
    EXPECT_EQ(ReadFile(path), before);
}

TEST(QueryText, StatementsAndKeywordsOutsideQuotesAndCommentsAsEachDatabaseReadsThem)
{
    constexpr DbDialect sqlite = DbDialect::Sqlite, postgres = DbDialect::Postgres;
    for (DbDialect dialect : {sqlite, postgres}) {
        EXPECT_EQ(CountStatements("SELECT 1; SELECT 2;", dialect), 2);
        EXPECT_EQ(CountStatements("SELECT ';' -- ; x\n; ;", dialect), 1);
        EXPECT_EQ(CountStatements("SELECT 'it''s;', \"a;\"\"b\" /* ; */", dialect), 1);
        EXPECT_EQ(FirstKeyword("  (/* x */ select 1)", dialect), "SELECT");
        EXPECT_EQ(FirstKeyword("-- note\nwith a as (select 1) select * from a", dialect), "WITH");
    }
    // PostgreSQL: E'...' takes backslash escapes (not in a longer word), dollar quotes with
    // tags ($1 is a parameter, a$b$ a name), comments nest; brackets and backquotes are not quotes.
    EXPECT_EQ(CountStatements("SELECT E'\\''; DELETE FROM t; SELECT 'x'", postgres), 3);
    EXPECT_EQ(CountStatements("SELECT e'\\\\'; DELETE FROM t", postgres), 2);
    EXPECT_EQ(CountStatements("SELECT name'\\'; SELECT 2", postgres), 2);
    EXPECT_EQ(CountStatements("SELECT $q$ ; $q$, $$;$$; SELECT 2", postgres), 2);
    EXPECT_EQ(CountStatements("SELECT $1; SELECT a$b$; SELECT 3", postgres), 3);
    EXPECT_EQ(CountStatements("SELECT 1 /* /* */ ' */; DELETE FROM t; SELECT ' '", postgres), 3);
    EXPECT_EQ(CountStatements("SELECT a[1]; SELECT `;`", postgres), 3);
    // SQLite: no backslash escapes, no dollar quotes, comments do not nest; [..] and `..` quote names.
    EXPECT_EQ(CountStatements("SELECT E'\\'; SELECT 2", sqlite), 2);
    EXPECT_EQ(CountStatements("SELECT $a; SELECT 2 $a", sqlite), 2);
    EXPECT_EQ(CountStatements("SELECT 1 /* /* */ ; SELECT 2", sqlite), 2);
    EXPECT_EQ(CountStatements("SELECT [c;d], `e;f`", sqlite), 1);
    EXPECT_LT(VersionKey("1.2.9"), VersionKey("1.2.10"));
    EXPECT_LT(VersionKey("9.0"), VersionKey("10.0 beta"));
    EXPECT_EQ(VersionKey("V2.A"), VersionKey("v2.a"));
}

}  // namespace
