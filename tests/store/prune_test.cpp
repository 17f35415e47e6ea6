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

}  // namespace
