// The programs and services kept of each computer's latest check follow that check as it is
// recorded, overtaken, imported late and deleted, and equal the rows made anew at once.
#include <gtest/gtest.h>

#include "store/latest_rows.h"
#include "store/store_history.h"
#include "store/store_prune.h"
#include "tests/store/store_fixture.h"

namespace {

using Rows = std::vector<std::vector<std::string>>;

Rows Answer(InventoryStore& store, const std::string& sql)
{
    QueryAnswer answer;
    std::string message;
    EXPECT_EQ(RunReadOnlyQuery(store.Db(), sql, {}, answer, message), AnswerOutcome::Answered) << message;
    return Texts(answer);
}

Rows Services(InventoryStore& store)
{
    return Answer(store, "SELECT computer, check_id, name, start_mode, state FROM services ORDER BY computer, name");
}

// The kept rows of the systems and disks, as numbers where the views give numbers.
Rows SystemsAndDisks(InventoryStore& store)
{
    Rows rows = Answer(store, "SELECT computer, check_id, caption, free_memory_kb + 1 FROM os ORDER BY computer");
    for (auto& row : Answer(store, "SELECT computer, check_id, drive, size_bytes - free_bytes FROM disks"
                                   " ORDER BY computer, drive"))
        rows.push_back(row);
    return rows;
}

std::string Id(const StoredCheck& check)
{
    return std::to_string(check.header.id);
}

// The kept rows made again for every computer at once, inside a transaction left undone.
Rows MadeAnew(InventoryStore& store, Rows (*read)(InventoryStore&))
{
    DbTransaction transaction(store.Db());
    EXPECT_TRUE(transaction.IsOpen());
    EXPECT_TRUE(KeepAllLatestRows(store.Db())) << store.Db().LastError().message;
    return read(store);
}

TEST(LatestRows, FollowEachComputersLatestCompleteStandardCheck)
{
    TestStore test("mirel-store-latest-rows");
    std::unique_ptr<InventoryStore> store = test.Open();
    ASSERT_TRUE(store) << test.LastMessage();
    const int64_t t = 1760000000;
    StoredCheck first = MakeCheck("PC01", {{"BITS", "Auto", "Stopped"}, {"Spooler", "Auto", "Running"}}, 1, 1, t);
    StoredCheck other = MakeCheck("PC02", {{"BITS", "Auto", "Running"}}, 2, 2, t);
    StoredCheck second = MakeCheck("PC01", {{"BITS", "Auto", "Running"}}, 3, 3, t + 100);
    for (StoredCheck* check : {&first, &other, &second})
        ASSERT_TRUE(store->Record(*check)) << store->FailureMessage();
    const Rows latest = {{"PC01", Id(second), "BITS", "Auto", "Running"}, {"PC02", Id(other), "BITS", "Auto", "Running"}};
    EXPECT_EQ(Services(*store), latest);

    // None of these is a computer's latest complete standard check: an older check imported
    // late, a class check, a standard check cut short.
    StoredCheck older = MakeCheck("PC01", {{"Old", "Manual", "Stopped"}}, 1, 1, t - 100);
    StoredCheck classCheck = MakeCheck("PC01", {{"Class", "Manual", "Stopped"}}, 1, 1, t + 200);
    classCheck.header.kind = "Win32_Service";
    StoredCheck cut = MakeCheck("PC01", {{"Cut", "Manual", "Stopped"}}, 1, 1, t + 300);
    cut.header.complete = false;
    for (StoredCheck* check : {&older, &classCheck, &cut})
        ASSERT_TRUE(store->Record(*check)) << store->FailureMessage();
    EXPECT_EQ(Services(*store), latest);
    EXPECT_EQ(MadeAnew(*store, Services), latest);
    // Free memory and free space are the latest check's: 3 for PC01, 2 for PC02.
    const Rows systems = {{"PC01", Id(second), "Windows", "4"}, {"PC02", Id(other), "Windows", "3"},
                          {"PC01", Id(second), "C:", "89997"}, {"PC02", Id(other), "C:", "89998"}};
    EXPECT_EQ(SystemsAndDisks(*store), systems);
    EXPECT_EQ(MadeAnew(*store, SystemsAndDisks), systems);

    // The latest check deleted: the one before it is the latest again, and its rows are kept.
    PruneResult result;
    std::vector<int64_t> missing;
    ASSERT_TRUE(DeleteChecks(store->Db(), {second.header.id}, result, missing)) << store->Db().LastError().message;
    const Rows before = {{"PC01", Id(first), "BITS", "Auto", "Stopped"},
                         {"PC01", Id(first), "Spooler", "Auto", "Running"},
                         {"PC02", Id(other), "BITS", "Auto", "Running"}};
    EXPECT_EQ(Services(*store), before);
    EXPECT_EQ(MadeAnew(*store, Services), before);
    EXPECT_EQ(SystemsAndDisks(*store)[0], (std::vector<std::string>{"PC01", Id(first), "Windows", "2"}));

    // A computer deleted with its checks leaves no rows behind.
    StoredComputer pc02;
    ASSERT_EQ(FindComputer(store->Statements(), "pc02", pc02), Lookup::Found);
    ASSERT_TRUE(DeleteComputer(store->Db(), pc02.id, result)) << store->FailureMessage();
    EXPECT_EQ(RowsOf(*store, "store_latest_services WHERE computer_id = " + std::to_string(pc02.id)), 0);
    EXPECT_EQ(Services(*store), Rows(before.begin(), before.begin() + 2));
}

// A store of the version before the rows were kept: bringing it forward keeps the rows of
// the checks it holds.
TEST(LatestRows, AStoreOfTheVersionBeforeGetsTheRowsOfItsChecks)
{
    TestStore test("mirel-store-latest-rows-migrate");
    StoredCheck first = MakeCheck("PC01", {{"BITS", "Auto", "Stopped"}}, 1, 1, 1760000000);
    StoredCheck second = MakeCheck("PC02", {{"Spooler", "Auto", "Running"}}, 1, 1, 1760000000);
    {
        std::unique_ptr<InventoryStore> store = test.Open();
        ASSERT_TRUE(store) << test.LastMessage();
        for (StoredCheck* check : {&first, &second})
            ASSERT_TRUE(store->Record(*check)) << store->FailureMessage();
        // What the version before had: neither the tables of kept rows nor the views over them.
        for (const char* sql : {"DROP VIEW products", "DROP VIEW services", "DROP VIEW os", "DROP VIEW disks",
                                "DROP TABLE store_latest_products", "DROP TABLE store_latest_services",
                                "DROP TABLE store_latest_os", "DROP TABLE store_latest_disks",
                                "UPDATE store_info SET value = '7' WHERE name = 'schema'"})
            ASSERT_TRUE(store->Db().Execute(sql)) << sql << ": " << store->Db().LastError().message;
    }
    std::unique_ptr<InventoryStore> store = test.Open();
    ASSERT_TRUE(store) << test.LastMessage();
    EXPECT_EQ(Services(*store), (Rows{{"PC01", Id(first), "BITS", "Auto", "Stopped"},
                                      {"PC02", Id(second), "Spooler", "Auto", "Running"}}));
    EXPECT_EQ(SystemsAndDisks(*store).size(), 4u);
}

}  // namespace
