// Questions that stay read only and end. Texts that a naive reading of SQL and the database
// take differently leave the store whole, on a file and on a server, and the connection for
// questions cannot write whatever it is sent; a question ends within a second when it is
// interrupted from another thread and at its time limit, and on a server the server stops
// working on it as well.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "resources/text.h"
#include "tests/store/store_fixture.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr char kEndless[] = "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n) SELECT count(*) FROM n";

long long MillisecondsSince(Clock::time_point start)
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
}

class QuestionEnds : public testing::Test {
protected:
    void SetUp() override
    {
        SetTextLanguage(kEnglishLanguage);
        writer_ = test_.Open();
        ASSERT_TRUE(writer_) << test_.LastMessage();
        for (int64_t epoch : {1760000000, 1760086400}) {
            StoredCheck check = MakeCheck("PC01", {{"Spooler", "Auto", "Running"}}, 100, 200, epoch);
            ASSERT_TRUE(writer_->Record(check)) << writer_->FailureMessage();
        }
        reader_ = test_.Open(StoreAccess::Query);
        ASSERT_TRUE(reader_) << test_.LastMessage();
    }
    void TearDown() override { SetTextLanguage(0); }

    AnswerOutcome Ask(const std::string& sql, QueryAnswer& answer)
    {
        std::string message;
        return RunReadOnlyQuery(reader_->Db(), sql, {}, answer, message);
    }

    TestStore test_{"question-end"};
    std::unique_ptr<InventoryStore> writer_;
    std::unique_ptr<InventoryStore> reader_;
};

TEST_F(QuestionEnds, TextsANaiveScannerReadsOtherwiseLeaveTheStoreWhole)
{
    // Each hides a COMMIT and a DELETE from a reader that does not know E'...' strings,
    // dollar quotes or nested comments, or writes in a way only the database can see.
    const char* const texts[] = {
        "SELECT E'\\''; COMMIT; DELETE FROM store_checks; SELECT 'x'",
        "select e'\\''; commit; delete from store_checks; select 'x'",
        "SELECT $a$ ' $a$; COMMIT; DELETE FROM store_checks; SELECT ' '",
        "SELECT 1 /* /* */ ' */; COMMIT; DELETE FROM store_checks; SELECT ' '",
        "SELECT $$;$$; COMMIT; DELETE FROM store_checks",
        "SELECT 'a' \"b;\"; COMMIT; DELETE FROM store_checks",
        "WITH gone AS (DELETE FROM store_checks RETURNING id) SELECT count(*) FROM gone",
        "SELECT id FROM store_checks FOR UPDATE",
    };
    for (const char* text : texts) {
        QueryAnswer answer;
        const AnswerOutcome outcome = Ask(text, answer);
        EXPECT_TRUE(outcome == AnswerOutcome::Refused || outcome == AnswerOutcome::Failed) << text;
    }
    // A setting the text changes ends with its transaction: the connection still cannot write.
    QueryAnswer answer;
    if (test_.OnServer()) {
        EXPECT_EQ(Ask("SELECT set_config('default_transaction_read_only', 'off', false)", answer),
                  AnswerOutcome::Answered);
    }
    EXPECT_FALSE(reader_->Db().Execute("COMMIT; DELETE FROM store_checks"));
    EXPECT_FALSE(reader_->Db().Execute("DELETE FROM store_checks"));
    EXPECT_EQ(RowsOf(*writer_, "store_checks"), 2);
    // Texts that only look odd are answered.
    EXPECT_EQ(Ask("SELECT count(*) AS n /* ; */ FROM checks -- ; DELETE", answer), AnswerOutcome::Answered);
    EXPECT_EQ(Texts(answer), (std::vector<std::vector<std::string>>{{"2"}}));
    if (test_.OnServer()) {
        EXPECT_EQ(Ask("SELECT E'\\';', $t$;$t$, /* /* ; */ ; */ 'x'", answer), AnswerOutcome::Answered);
        EXPECT_EQ(Texts(answer), (std::vector<std::vector<std::string>>{{"';", ";", "x"}}));
    }
}

TEST_F(QuestionEnds, AnEndlessQuestionEndsWithinASecondOfInterruptAndAtItsTimeLimit)
{
    Database& database = reader_->Db();
    Clock::time_point pressed;
    std::thread interrupter([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(700));
        pressed = Clock::now();
        database.Interrupt();
    });
    QueryAnswer answer;
    EXPECT_EQ(Ask(kEndless, answer), AnswerOutcome::Stopped);
    const long long afterPress = MillisecondsSince(pressed);
    interrupter.join();
    EXPECT_EQ(database.LastError().failure, DbFailure::Interrupted) << database.LastError().message;
    EXPECT_LT(afterPress, 1000);

    reader_ = test_.Open(StoreAccess::Query);
    ASSERT_TRUE(reader_) << test_.LastMessage();
    reader_->Db().SetQueryTimeLimit(1);
    const Clock::time_point start = Clock::now();
    EXPECT_EQ(Ask(kEndless, answer), AnswerOutcome::Stopped);
    EXPECT_EQ(reader_->Db().LastError().failure, DbFailure::TimedOut) << reader_->Db().LastError().message;
    EXPECT_LT(MillisecondsSince(start), 2000);
    // A question that ends in time is answered whole under the same limit.
    reader_ = test_.Open(StoreAccess::Query);
    ASSERT_TRUE(reader_);
    reader_->Db().SetQueryTimeLimit(1);
    EXPECT_EQ(Ask("SELECT check_id FROM checks ORDER BY check_id", answer), AnswerOutcome::Answered);
    EXPECT_EQ(answer.rows.size(), 2u);
}

TEST_F(QuestionEnds, AServerStopsWorkingOnAStoppedQuestion)
{
    if (!test_.OnServer())
        GTEST_SKIP() << "a server's own statements";
    // The statement that runs it: the fetch from the question's cursor.
    const auto sleeping = [this] {
        std::unique_ptr<DbStatement> count = writer_->Db().Prepare(
            "SELECT count(*) FROM pg_stat_activity WHERE query LIKE '%mirel_answer%' AND state = 'active'"
            " AND pid <> pg_backend_pid()");
        return count && count->Step() == DbStep::Row ? count->Int(0) : -1;
    };
    reader_->Db().SetQueryTimeLimit(2);
    Clock::time_point start = Clock::now();
    QueryAnswer answer;
    EXPECT_EQ(Ask("SELECT pg_sleep(100)", answer), AnswerOutcome::Stopped);
    EXPECT_EQ(reader_->Db().LastError().failure, DbFailure::TimedOut) << reader_->Db().LastError().message;
    EXPECT_LT(MillisecondsSince(start), 3500);
    EXPECT_EQ(sleeping(), 0);

    reader_ = test_.Open(StoreAccess::Query);
    ASSERT_TRUE(reader_);
    Database& database = reader_->Db();
    std::thread interrupter([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(700));
        EXPECT_EQ(sleeping(), 1);
        database.Interrupt();
    });
    start = Clock::now();
    EXPECT_EQ(Ask("SELECT pg_sleep(100)", answer), AnswerOutcome::Stopped);
    interrupter.join();
    EXPECT_EQ(database.LastError().failure, DbFailure::Interrupted) << database.LastError().message;
    EXPECT_LT(MillisecondsSince(start), 1700);
    EXPECT_EQ(sleeping(), 0);
}

}  // namespace
