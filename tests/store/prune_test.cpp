// Pruning never takes a computer's latest check and frees what nothing references.
#include <gtest/gtest.h>

#include "store/check_reader.h"
#include "store/store_history.h"
#include "store/store_prune.h"
#include "tests/store/store_fixture.h"

namespace {

TEST(Prune, KeepsEachComputersLatestCheckAndFreesTheRest)
{
    TestStore test("mirel-store-prune");
    std::unique_ptr<InventoryStore> store = test.Open();
    ASSERT_TRUE(store);
    const int64_t day = 86400, now = 1760000000;
    StoredCheck old1 = MakeCheck("PC01", {{"Gone", "Auto", "Running"}}, 1, 1, now - 40 * day);
    StoredCheck old2 = MakeCheck("PC01", {{"Kept", "Auto", "Running"}}, 1, 1, now - 35 * day);
    StoredCheck recent = MakeCheck("PC01", {{"Kept", "Auto", "Running"}}, 1, 1, now - 1 * day);
    StoredCheck lonely = MakeCheck("PC02", {{"Old", "Auto", "Running"}}, 1, 1, now - 90 * day);
    for (StoredCheck* check : {&old1, &old2, &recent, &lonely})
        ASSERT_TRUE(store->Record(*check));
    PruneResult result;
    ASSERT_TRUE(PruneStore(store->Db(), 30, now, result)) << store->FailureMessage();
    EXPECT_EQ(result.removed, 2);
    EXPECT_EQ(result.remaining, 2);
    std::vector<StoredCheckHeader> checks;
    ASSERT_EQ(ListChecks(store->Statements(), "", checks), Lookup::Found);
    ASSERT_EQ(checks.size(), 2u);
    EXPECT_EQ(checks[0].id, lonely.header.id);
    EXPECT_EQ(checks[1].id, recent.header.id);
    // "Gone" went with the checks that saw it; what the kept checks see stays.
    std::unique_ptr<DbStatement> gone = store->Db().Prepare("SELECT count(*) FROM store_objects WHERE identity = 'Name=Gone'");
    ASSERT_TRUE(gone && gone->Step() == DbStep::Row);
    EXPECT_EQ(gone->Int(0), 0);
    StoredCheck read;
    ASSERT_EQ(LoadCheck(store->Statements(), lonely.header.id, read), LoadResult::Loaded);
    EXPECT_EQ(read.parts[0].objects[0].identity, "Name=Old");
}

int64_t CountOf(InventoryStore& store, const std::string& sql)
{
    std::unique_ptr<DbStatement> statement = store.Db().Prepare(sql);
    return statement && statement->Step() == DbStep::Row ? statement->Int(0) : -1;
}

TEST(Delete, ChecksChosenByNumberGoWithWhatOnlyTheyUsedAllOrNone)
{
    TestStore test("mirel-store-delete");
    std::unique_ptr<InventoryStore> store = test.Open();
    ASSERT_TRUE(store);
    const int64_t now = 1760000000;
    StoredCheck first = MakeCheck("PC01", {{"Gone", "Auto", "Running"}}, 1, 1, now - 3000);
    StoredCheck second = MakeCheck("PC01", {{"Kept", "Auto", "Running"}}, 1, 1, now - 2000);
    StoredCheck third = MakeCheck("PC01", {{"Kept", "Auto", "Running"}}, 1, 1, now - 1000);
    StoredCheck other = MakeCheck("PC02", {{"Other", "Auto", "Running"}}, 1, 1, now);
    for (StoredCheck* check : {&first, &second, &third, &other})
        ASSERT_TRUE(store->Record(*check));
    const int64_t objects = CountOf(*store, "SELECT count(*) FROM store_objects");

    // A number the store does not hold: nothing goes, and it is named.
    PruneResult result;
    std::vector<int64_t> missing;
    ASSERT_TRUE(DeleteChecks(store->Db(), {first.header.id, 999}, result, missing)) << store->FailureMessage();
    EXPECT_EQ(missing, std::vector<int64_t>{999});
    EXPECT_EQ(CountOf(*store, "SELECT count(*) FROM store_checks"), 4);

    // The first and the latest check of PC01 (one named twice): "Gone" was only theirs.
    ASSERT_TRUE(DeleteChecks(store->Db(), {first.header.id, third.header.id, first.header.id}, result, missing))
        << store->Db().LastError().message;
    EXPECT_TRUE(missing.empty());
    EXPECT_EQ(result.removed, 2);
    EXPECT_EQ(result.remaining, 2);
    EXPECT_EQ(DeletedChecksText(result), "Deleted 2 checks. The store now holds 2 checks.");
    EXPECT_EQ(CountOf(*store, "SELECT count(*) FROM store_objects WHERE identity = 'Name=Gone'"), 0);
    EXPECT_LT(CountOf(*store, "SELECT count(*) FROM store_objects"), objects);
    StoredCheck read;
    ASSERT_EQ(LoadCheck(store->Statements(), second.header.id, read), LoadResult::Loaded);
    EXPECT_EQ(read.parts[0].objects[0].identity, "Name=Kept");

    // A computer with all its checks: its row goes, the other computer's check stays whole.
    StoredComputer pc01;
    ASSERT_EQ(FindComputer(store->Statements(), "pc01", pc01), Lookup::Found);
    ASSERT_TRUE(DeleteComputer(store->Db(), pc01.id, result)) << store->FailureMessage();
    EXPECT_EQ(result.removed, 1);
    EXPECT_EQ(DeletedChecksText(result), "Deleted 1 check. The store now holds 1 check.");
    EXPECT_EQ(FindComputer(store->Statements(), "pc01", pc01), Lookup::NotFound);
    EXPECT_EQ(CountOf(*store, "SELECT count(*) FROM store_objects WHERE identity = 'Name=Kept'"), 0);
    ASSERT_EQ(LoadCheck(store->Statements(), other.header.id, read), LoadResult::Loaded);
    EXPECT_EQ(read.parts[0].objects[0].identity, "Name=Other");
    // What is left is still a store that records and compares.
    StoredCheck again = MakeCheck("PC02", {{"Other", "Auto", "Running"}, {"New", "Auto", "Running"}}, 1, 1, now + 10);
    ASSERT_TRUE(store->Record(again)) << store->FailureMessage();
    EXPECT_EQ(again.header.changes, 1);
}

}  // namespace
