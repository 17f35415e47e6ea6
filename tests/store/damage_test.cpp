// A store file with a byte flipped where SQLite's integrity check finds it: verified as
// damaged with the damage named, marked beside the file, and never written into until it
// is verified sound again or replaced; damage met half-way through a recording ends it with
// the file as it was. A lock another connection holds is waited for once, not once a lock.
#include <gtest/gtest.h>

#include "resources/text.h"
#include "store/damage_mark.h"
#include "db/sqlite_database.h"
#include "store/store_verify.h"
#include "tests/store/store_fixture.h"
#include "tests/support/damaged_store.h"

namespace {

class DamagedStore : public testing::Test {
protected:
    void SetUp() override
    {
        SetTextLanguage(kEnglishLanguage);
        if (test_.OnServer())
            GTEST_SKIP() << "files only";
        path_ = test_.Location().path;
        std::unique_ptr<InventoryStore> store = test_.Open();
        ASSERT_TRUE(store) << test_.LastMessage();
        for (int64_t epoch : {1760000000, 1760086400}) {
            StoredCheck check = MakeCheck("PC01", {{"Spooler", "Auto", "Running"}}, 1000, 5000, epoch);
            ASSERT_TRUE(store->Record(check)) << store->FailureMessage();
        }
    }
    void TearDown() override
    {
        DeleteFileA(DamageMarkPath(path_).c_str());
        SetTextLanguage(0);
    }

    void FlipTable(const std::string& table) { ASSERT_TRUE(FlipTablePage(path_, table)); }

    bool Marked()
    {
        DamageMark mark;
        return FindDamageMark(path_, mark);
    }

    TestStore test_{"mirel-store-damage"};
    std::string path_;
};

TEST_F(DamagedStore, VerifyNamesTheDamageAndNothingIsRecordedUntilItIsSoundAgain)
{
    StoreVerdict verdict = VerifyStore(test_.Location(), 5);
    EXPECT_EQ(verdict.soundness, StoreSoundness::Sound) << verdict.message;
    EXPECT_NE(verdict.message.find("is sound"), std::string::npos) << verdict.message;

    FlipTable("store_checks");
    verdict = VerifyStore(test_.Location(), 5);
    ASSERT_EQ(verdict.soundness, StoreSoundness::Damaged) << verdict.message;
    ASSERT_FALSE(verdict.damage.empty());
    EXPECT_EQ(verdict.damage.front().rfind("store_checks: ", 0), 0u) << verdict.damage.front();
    EXPECT_NE(verdict.message.find("is damaged"), std::string::npos) << verdict.message;
    EXPECT_TRUE(Marked());

    const std::string before = ReadFile(path_);
    EXPECT_FALSE(test_.Open());
    EXPECT_NE(test_.LastMessage().find("was found damaged"), std::string::npos) << test_.LastMessage();
    EXPECT_NE(test_.LastMessage().find(DamageMarkPath(path_)), std::string::npos) << test_.LastMessage();
    EXPECT_EQ(ReadFile(path_), before) << "not a byte written";

    FlipTable("store_checks");   // a copy from before the damage put back in place
    EXPECT_TRUE(Marked()) << "the same file: still marked until verified";
    EXPECT_EQ(VerifyStore(test_.Location(), 5).soundness, StoreSoundness::Sound);
    EXPECT_FALSE(Marked());
    std::unique_ptr<InventoryStore> store = test_.Open();
    ASSERT_TRUE(store) << test_.LastMessage();
    StoredCheck check = MakeCheck("PC01", {}, 1, 1, 1760172800);
    EXPECT_TRUE(store->Record(check)) << store->FailureMessage();
}

TEST_F(DamagedStore, DamageMetWhileRecordingEndsItWithTheFileAsItWasAndMarksIt)
{
    FlipTable("store_checks");
    const std::string before = ReadFile(path_);
    std::string message;
    {
        std::unique_ptr<InventoryStore> store = test_.Open();
        message = test_.LastMessage();
        if (store) {
            StoredCheck check = MakeCheck("PC02", {}, 1, 1, 1760172800);
            EXPECT_FALSE(store->Record(check));
            EXPECT_EQ(store->Db().LastError().failure, DbFailure::Damaged);
            message = store->FailureMessage();
        }
    }
    EXPECT_NE(message.find("is damaged"), std::string::npos) << message;
    EXPECT_NE(message.find("mirelrep /verify"), std::string::npos) << "says what to do: " << message;
    EXPECT_EQ(ReadFile(path_), before);
    EXPECT_TRUE(Marked());
}

TEST_F(DamagedStore, AMarkCountsForItsOwnFileOnly)
{
    std::unique_ptr<InventoryStore> store = test_.Open();
    ASSERT_TRUE(store);
    ASSERT_TRUE(MarkDamaged(path_, {"found by another program"}));
    StoredCheck check = MakeCheck("PC01", {}, 1, 1, 1760172800);
    EXPECT_FALSE(store->Record(check)) << "an open store sees the mark another program made";
    EXPECT_NE(store->FailureMessage().find("was found damaged"), std::string::npos) << store->FailureMessage();
    store.reset();

    // A copy put in its place is another file: the mark no longer counts, and goes.
    const std::string copy = test_.File("copy.db");
    ASSERT_TRUE(CopyFileA(path_.c_str(), copy.c_str(), FALSE));
    ASSERT_TRUE(MoveFileExA(copy.c_str(), path_.c_str(), MOVEFILE_REPLACE_EXISTING));
    store = test_.Open();
    ASSERT_TRUE(store) << test_.LastMessage();
    EXPECT_FALSE(Marked());
    EXPECT_EQ(GetFileAttributesA(DamageMarkPath(path_).c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(DamagedStore, MovedAsideItKeepsItsMarkAndANewStoreStartsInItsPlace)
{
    ASSERT_TRUE(MarkDamaged(path_, {"found"}));
    std::string movedTo;
    unsigned long error = 0;
    ASSERT_TRUE(MoveStoreAside(path_, movedTo, error)) << error;
    EXPECT_NE(movedTo.find(".damaged-"), std::string::npos) << movedTo;
    DamageMark mark;
    EXPECT_TRUE(FindDamageMark(movedTo, mark));
    std::unique_ptr<InventoryStore> store = test_.Open();
    ASSERT_TRUE(store) << test_.LastMessage();
    EXPECT_EQ(RowsOf(*store, "store_checks"), 0);
    store.reset();
    DeleteFileA(DamageMarkPath(movedTo).c_str());
    DeleteFileA(movedTo.c_str());
}

}  // namespace
