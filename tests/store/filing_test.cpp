// One history per computer, whatever name it was checked under; a check already in the
// store not counted twice; a check's number never given again; every check copied from one
// store into another once.
#include <gtest/gtest.h>

#include "store/check_computer.h"
#include "store/store_copy.h"
#include "store/store_history.h"
#include "store/store_prune.h"
#include "tests/store/store_fixture.h"

namespace {

using Rows = std::vector<std::vector<std::string>>;

constexpr int64_t kDay = 86400, kNow = 1760000000;

// A check typed as `typed` whose computer reported itself as `reported` (empty: it read
// nothing of it, as a class check of another class or a check that failed).
StoredCheck CheckOf(const std::string& typed, const std::string& reported, int64_t epoch,
                    const std::string& startMode = "Manual")
{
    StoredCheck check = MakeCheck(typed, {{"BITS", startMode, "Running"}}, 1000, 5000, epoch);
    if (!reported.empty()) {
        check.parts.push_back(MakePart("Win32_ComputerSystem", {"Name", "Domain", "DomainRole"},
                                       {{TextCell(reported), TextCell("corp.example"), NumberCell(1, "Member")}}));
        EXPECT_TRUE(IdentifyFromParts(check));
    }
    return check;
}

StoredCheck FailedCheckOf(const std::string& typed, int64_t epoch)
{
    StoredCheck check = MakeCheck(typed, {}, 0, 0, epoch);
    check.parts.clear();
    check.header.result = "noAnswer";
    check.header.complete = false;
    return check;
}

Rows Answer(InventoryStore& store, const std::string& sql)
{
    QueryAnswer answer;
    std::string message;
    EXPECT_EQ(RunReadOnlyQuery(store.Db(), sql, {}, answer, message), AnswerOutcome::Answered) << message;
    return Texts(answer);
}

TEST(Filing, OneComputerHasOneHistoryWhateverNameItWasTypedAs)
{
    TestStore test("mirel-store-filing");
    std::unique_ptr<InventoryStore> store = test.Open();
    ASSERT_TRUE(store) << test.LastMessage();
    StoredCheck shortName = CheckOf("pc01", "PC01", kNow);
    StoredCheck dnsName = CheckOf("pc01.corp.example", "PC01", kNow + 100, "Auto");
    StoredCheck address = CheckOf("10.0.0.5", "PC01", kNow + 200);
    StoredCheck failed = FailedCheckOf("10.0.0.5", kNow + 300);
    StoredCheck unknown = FailedCheckOf("nowhere.invalid", kNow + 400);
    StoredCheck lowerCase = CheckOf("PC01", "", kNow + 500);   // read no name: where "pc01" last went
    for (StoredCheck* check : {&shortName, &dnsName, &address, &failed, &unknown, &lowerCase}) {
        ASSERT_TRUE(store->Record(*check)) << store->FailureMessage();
        EXPECT_FALSE(store->AlreadyStored());
    }
    EXPECT_EQ(dnsName.header.changes, 1) << "compared with the check typed otherwise";
    EXPECT_EQ(failed.header.computer, "PC01");
    EXPECT_EQ(Answer(*store, "SELECT check_id, computer, typed_as, domain FROM checks ORDER BY check_id"),
              (Rows{{"1", "PC01", "pc01", "corp.example"},
                    {"2", "PC01", "pc01.corp.example", "corp.example"},
                    {"3", "PC01", "10.0.0.5", "corp.example"},
                    {"4", "PC01", "10.0.0.5", ""},
                    {"5", "nowhere.invalid", "nowhere.invalid", ""},
                    {"6", "PC01", "PC01", ""}}));
    EXPECT_EQ(Answer(*store, "SELECT computer, checks, domain FROM computers ORDER BY checks"),
              (Rows{{"nowhere.invalid", "1", ""}, {"PC01", "5", "corp.example"}}));
    // Named by any of its names, the computer's history is the same.
    for (const char* name : {"PC01", "pc01"}) {
        std::vector<StoredCheckHeader> checks;
        ASSERT_EQ(ListChecks(store->Statements(), name, checks), Lookup::Found) << name;
    }
}

TEST(Filing, ACheckAlreadyInTheStoreIsNotRecordedAgain)
{
    TestStore test("mirel-store-twice");
    std::unique_ptr<InventoryStore> store = test.Open();
    ASSERT_TRUE(store) << test.LastMessage();
    StoredCheck first = CheckOf("pc01", "PC01", kNow);
    ASSERT_TRUE(store->Record(first)) << store->FailureMessage();
    const int64_t checks = RowsOf(*store, "store_checks"), objects = RowsOf(*store, "store_objects");

    // The same check again, also typed otherwise (an export of it imported elsewhere).
    for (const char* typed : {"pc01", "pc01.corp.example"}) {
        StoredCheck again = CheckOf(typed, "PC01", kNow);
        ASSERT_TRUE(store->Record(again)) << store->FailureMessage();
        EXPECT_TRUE(store->AlreadyStored()) << typed;
        EXPECT_EQ(again.header.id, first.header.id);
    }
    EXPECT_EQ(RowsOf(*store, "store_checks"), checks);
    EXPECT_EQ(RowsOf(*store, "store_objects"), objects);

    // At the same time but with other content, or a value that changes by itself: another check.
    StoredCheck otherState = CheckOf("pc01", "PC01", kNow, "Auto");
    StoredCheck otherMemory = CheckOf("pc01", "PC01", kNow);
    otherMemory.parts[1].objects[0].cells[1] = NumberCell(7, "7");
    for (StoredCheck* check : {&otherState, &otherMemory}) {
        ASSERT_TRUE(store->Record(*check)) << store->FailureMessage();
        EXPECT_FALSE(store->AlreadyStored());
    }
    EXPECT_EQ(RowsOf(*store, "store_checks"), checks + 2);
}

TEST(Filing, ANumberIsNeverGivenTwiceAlsoAfterPruning)
{
    TestStore test("mirel-store-numbers");
    std::unique_ptr<InventoryStore> store = test.Open();
    ASSERT_TRUE(store) << test.LastMessage();
    StoredCheck yesterday = CheckOf("pc01", "PC01", kNow - kDay);
    StoredCheck today = CheckOf("pc01", "PC01", kNow);
    StoredCheck old = CheckOf("pc01", "PC01", kNow - 40 * kDay);   // imported last: the highest number
    for (StoredCheck* check : {&yesterday, &today, &old})
        ASSERT_TRUE(store->Record(*check)) << store->FailureMessage();
    ASSERT_EQ(old.header.id, 3);
    PruneResult pruned;
    ASSERT_TRUE(PruneStore(store->Db(), 30, kNow, pruned)) << store->FailureMessage();
    ASSERT_EQ(pruned.removed, 1);
    store.reset();
    store = test.Open();   // also when the store is opened anew
    ASSERT_TRUE(store) << test.LastMessage();
    StoredCheck next = CheckOf("pc01", "PC01", kNow + kDay);
    ASSERT_TRUE(store->Record(next)) << store->FailureMessage();
    EXPECT_EQ(next.header.id, 4);
}

TEST(Copy, EveryCheckGoesOnceKeepingItsNumberAndComputer)
{
    TestStore test("mirel-store-copy");
    std::unique_ptr<InventoryStore> source = test.Open();
    ASSERT_TRUE(source) << test.LastMessage();
    StoredCheck gone = CheckOf("pc02", "PC02", kNow - 40 * kDay);
    StoredCheck checks[] = {CheckOf("pc02", "PC02", kNow), CheckOf("pc01", "PC01", kNow + 100),
                            CheckOf("pc01.corp.example", "PC01", kNow + 200, "Auto"),
                            FailedCheckOf("nowhere.invalid", kNow + 300), CheckOf("PC01", "", kNow + 400)};
    ASSERT_TRUE(source->Record(gone));
    for (StoredCheck& check : checks)
        ASSERT_TRUE(source->Record(check)) << source->FailureMessage();
    PruneResult pruned;
    ASSERT_TRUE(PruneStore(source->Db(), 30, kNow, pruned));   // number 1 is never given again
    const std::string history = "SELECT check_id, computer, typed_as, checked_at, kind, result, changes FROM checks"
                                " ORDER BY check_id";
    const Rows expected = Answer(*source, history);
    ASSERT_EQ(expected.size(), 5u);
    ASSERT_EQ(expected.front().front(), "2");

    // Into a new file and from there into another: the same history, numbers and all.
    StoreLocation there, back;
    ParseStoreLocation(test.File("there.db"), there);
    ParseStoreLocation(test.File("back.db"), back);
    std::string message;
    StoreOpenFailure failure;
    std::unique_ptr<InventoryStore> copy = InventoryStore::Open(there, StoreAccess::Record, 10, message, failure);
    std::unique_ptr<InventoryStore> copyBack = InventoryStore::Open(back, StoreAccess::Record, 10, message, failure);
    ASSERT_TRUE(copy && copyBack) << message;
    CopyResult result;
    ASSERT_TRUE(CopyChecks(*source, *copy, {}, result)) << copy->FailureMessage();
    EXPECT_EQ(result.copied, 5);
    ASSERT_TRUE(CopyChecks(*copy, *copyBack, {}, result)) << copyBack->FailureMessage();
    EXPECT_EQ(Answer(*copy, history), expected);
    EXPECT_EQ(Answer(*copyBack, history), expected);

    // Once more: nothing copied. A store that gave a number already gives the copy another.
    ASSERT_TRUE(CopyChecks(*source, *copy, {}, result));
    EXPECT_EQ(result.copied, 0);
    EXPECT_EQ(result.alreadyThere, 5);
    StoredCheck later = CheckOf("pc03", "PC03", kNow + 500);
    ASSERT_TRUE(source->Record(later));
    StoredCheck own = CheckOf("pc04", "PC04", kNow + 600);
    ASSERT_TRUE(copy->Record(own));   // number 7 in the copy
    ASSERT_EQ(own.header.id, 7);
    ASSERT_TRUE(CopyChecks(*source, *copy, [] { return false; }, result));
    EXPECT_EQ(result.copied, 1);
    EXPECT_EQ(Answer(*copy, "SELECT check_id, computer FROM checks WHERE check_id > 6 ORDER BY check_id"),
              (Rows{{"7", "PC04"}, {"8", "PC03"}}));
    EXPECT_FALSE(CopyChecks(*source, *copyBack, [] { return true; }, result)) << "a stop ends it";
    EXPECT_EQ(result.copied, 0);
}

}  // namespace
