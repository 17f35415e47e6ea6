// The one writer of both programs: checks handed over are written one after the other, and
// an end that cannot wait for them tells each one that was not recorded.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>

#include "resources/resource.h"
#include "resources/text.h"
#include "store/record_queue.h"
#include "tests/store/store_fixture.h"

namespace {

const std::vector<TestService> kServices = {{"BITS", "Manual", "Stopped"}, {"Spooler", "Auto", "Running"}};

struct Told {
    std::mutex lock;
    std::vector<std::pair<std::string, RecordOutcome>> outcomes;

    RecordQueue::Told Teller()
    {
        return [this](StoredCheck& check, const RecordOutcome& outcome) {
            std::lock_guard<std::mutex> guard(lock);
            outcomes.emplace_back(check.header.computer, outcome);
        };
    }
    size_t Count()
    {
        std::lock_guard<std::mutex> guard(lock);
        return outcomes.size();
    }
};

StoreOpener OpenerOf(TestStore& test, std::atomic<int>* opened = nullptr)
{
    return [&test, opened](const StoreLocation&, std::string& message) {
        if (opened)
            ++*opened;
        std::unique_ptr<InventoryStore> store = test.Open();
        message = test.LastMessage();
        return store;
    };
}

TEST(RecordQueue, WritesWhatIsHandedOverInTurnAndWaitsForItAtTheEnd)
{
    TestStore test("mirel-queue-turns");
    Told told;
    {
        RecordQueue queue(OpenerOf(test));
        for (const char* computer : {"PC01", "PC02", "PC03"})
            queue.Post(test.Location(), std::make_shared<StoredCheck>(MakeCheck(computer, kServices)), told.Teller());
        EXPECT_TRUE(queue.End(RecordQueue::kEndWait).empty());
    }
    ASSERT_EQ(told.Count(), 3u);
    for (const auto& [computer, outcome] : told.outcomes)
        EXPECT_TRUE(outcome.recorded) << computer << ": " << outcome.message;
    std::unique_ptr<InventoryStore> store = test.Open();
    ASSERT_TRUE(store);
    EXPECT_EQ(RowsOf(*store, "store_checks"), 3);
}

TEST(RecordQueue, AnEndThatCannotWaitTellsEveryCheckNotRecorded)
{
    TestStore test("mirel-queue-end");
    if (test.OnServer())
        GTEST_SKIP() << "a file's write lock holds the writer";
    std::unique_ptr<InventoryStore> blocker = test.Open();
    ASSERT_TRUE(blocker) << test.LastMessage();
    ASSERT_TRUE(blocker->Db().Execute("BEGIN IMMEDIATE"));   // the writer waits for the store
    Told told;
    std::atomic<int> opened{0};
    auto queue = std::make_unique<RecordQueue>(OpenerOf(test, &opened));
    queue->Post(test.Location(), std::make_shared<StoredCheck>(MakeCheck("PC01", kServices)), told.Teller());
    queue->Post(test.Location(), std::make_shared<StoredCheck>(MakeCheck("PC02", kServices)), told.Teller());
    for (int i = 0; i < 1000 && opened == 0; ++i)   // the writer has taken the first check
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    ASSERT_EQ(opened, 1);

    const auto started = std::chrono::steady_clock::now();
    const auto untold = queue->End(std::chrono::milliseconds(500));
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(3));
    ASSERT_EQ(untold.size(), 2u);
    EXPECT_EQ(untold[0]->header.computer, "PC01");
    EXPECT_EQ(untold[1]->header.computer, "PC02");
    ASSERT_EQ(told.Count(), 2u);
    EXPECT_FALSE(told.outcomes[0].second.recorded);
    EXPECT_EQ(told.outcomes[0].second.message, LoadText(IDS_RECORD_CUT_SHORT));
    EXPECT_FALSE(told.outcomes[1].second.recorded);
    EXPECT_EQ(told.outcomes[1].second.message, LoadText(IDS_RECORD_NOT_REACHED));

    // A check handed over after the end is told at once.
    queue->Post(test.Location(), std::make_shared<StoredCheck>(MakeCheck("PC03", kServices)), told.Teller());
    ASSERT_EQ(told.Count(), 3u);
    EXPECT_EQ(told.outcomes[2].second.message, LoadText(IDS_RECORD_NOT_REACHED));

    // The writer, left behind, finishes its check once the store is free, and tells no one again.
    EXPECT_TRUE(blocker->Db().Execute("ROLLBACK"));
    const size_t pending = queue->Pending();
    queue.reset();
    EXPECT_LE(pending, 1u);
    for (int i = 0; i < 500 && RowsOf(*blocker, "store_checks") == 0; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_EQ(RowsOf(*blocker, "store_checks"), 1);
    EXPECT_EQ(told.Count(), 3u);
}

}  // namespace
