// A store another program holds in SQLite's exclusive locking mode: every way of opening it,
// and a recording, gives up within the time limit with the busy message, however many
// statements meet the lock on the way.
#include <gtest/gtest.h>

#include "resources/text.h"
#include "db/sqlite_database.h"
#include "tests/store/store_fixture.h"

namespace {

TEST(StoreLocks, ALockHeldInExclusiveModeIsWaitedForOnceNotOnceAStatement)
{
    SetTextLanguage(kEnglishLanguage);
    TestStore test("mirel-store-locks");
    if (test.OnServer())
        GTEST_SKIP() << "files only";
    {
        std::unique_ptr<InventoryStore> store = test.Open();
        ASSERT_TRUE(store) << test.LastMessage();
        StoredCheck check = MakeCheck("PC01", {{"Spooler", "Auto", "Running"}});
        ASSERT_TRUE(store->Record(check)) << store->FailureMessage();
    }
    constexpr unsigned kLimitSeconds = 2;
    for (const char* held : {"SELECT count(*) FROM store_info",
                             "BEGIN IMMEDIATE; UPDATE store_info SET value = value; COMMIT"}) {
        DbError error;
        // Another connection, as another program: SQLite's locks on Windows hold between
        // connections of one process as between processes.
        std::unique_ptr<SqliteDatabase> holder =
            SqliteDatabase::Open(test.Location().path, SqliteOpen::Existing, error);
        ASSERT_TRUE(holder) << error.message;
        ASSERT_TRUE(holder->Execute(std::string("PRAGMA locking_mode = EXCLUSIVE; ") + held))
            << holder->LastError().message;
        for (StoreAccess access : {StoreAccess::Record, StoreAccess::Read, StoreAccess::Query}) {
            const ULONGLONG start = GetTickCount64();
            std::string message;
            StoreOpenFailure failure;
            std::unique_ptr<InventoryStore> store =
                InventoryStore::Open(test.Location(), access, kLimitSeconds, message, failure);
            // A reader holds the write-ahead log's readers back only: a recording goes on.
            const bool written = held[0] == 'B';
            if (store && access == StoreAccess::Record) {
                StoredCheck check = MakeCheck("PC02", {}, 1, 1, 1760086400 + static_cast<int64_t>(GetTickCount64()));
                EXPECT_NE(store->Record(check), written) << held;
                message = store->FailureMessage();
            }
            const ULONGLONG waited = GetTickCount64() - start;
            EXPECT_LT(waited, kLimitSeconds * 1000 + 1500) << held << ", access " << static_cast<int>(access);
            if (written) {
                EXPECT_FALSE(store && access != StoreAccess::Record) << "a writer holds every reader back";
                EXPECT_NE(message.find("is in use by another program"), std::string::npos) << held << ": " << message;
            }
        }
    }
    SetTextLanguage(0);
}

}  // namespace
