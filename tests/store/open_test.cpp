// Opening a store: made on first use, and a file that is not Mirel's, a newer Mirel's, not
// a database at all, missing or read-only is refused with a message and never altered.
#include <gtest/gtest.h>

#include "resources/text.h"
#include "db/sqlite_database.h"
#include "store/store_schema.h"
#include "tests/store/store_fixture.h"

namespace {

class OpenStore : public testing::Test {
protected:
    void SetUp() override
    {
        SetTextLanguage(kEnglishLanguage);
        if (test_.OnServer())
            GTEST_SKIP() << "files only";
    }
    void TearDown() override { SetTextLanguage(0); }

    // Opens `path`; expects a refusal whose message holds `words` and a file as it was.
    void ExpectRefused(const std::string& path, StoreAccess access, const std::string& words)
    {
        const std::string before = ReadFile(path);
        StoreLocation location;
        ParseStoreLocation(path, location);
        std::string message;
        StoreOpenFailure failure;
        EXPECT_FALSE(InventoryStore::Open(location, access, 5, message, failure));
        EXPECT_NE(message.find(words), std::string::npos) << message;
        EXPECT_EQ(ReadFile(path), before);
    }

    TestStore test_{"mirel-store-open"};
};

TEST_F(OpenStore, IsMadeOnFirstUseWithItsFolderAndWriteAheadLogging)
{
    const std::string path = test_.File("made\\inventory.db");
    StoreLocation location;
    ParseStoreLocation(path, location);
    std::string message;
    StoreOpenFailure failure;
    {
        std::unique_ptr<InventoryStore> store = InventoryStore::Open(location, StoreAccess::Record, 5, message, failure);
        ASSERT_TRUE(store) << message;
        std::unique_ptr<DbStatement> pragma = store->Db().Prepare("PRAGMA journal_mode");
        ASSERT_TRUE(pragma && pragma->Step() == DbStep::Row);
        EXPECT_EQ(pragma->Text(0), "wal");
        pragma = store->Db().Prepare("PRAGMA user_version");
        ASSERT_TRUE(pragma && pragma->Step() == DbStep::Row);
        EXPECT_EQ(pragma->Int(0), kStoreSchemaVersion);
    }
    EXPECT_TRUE(InventoryStore::Open(location, StoreAccess::Query, 5, message, failure)) << message;
    DeleteFileA(path.c_str());
    RemoveDirectoryA(test_.File("made").c_str());
}

TEST_F(OpenStore, RefusesWhatItMustNotTouch)
{
    const std::string text = test_.File("notes.db");
    WriteFileBytes(text, "Dear diary,\r\nthis is not a database.\r\n" + std::string(5000, 'x'));
    ExpectRefused(text, StoreAccess::Record, "is not an inventory store");

    const std::string foreign = test_.File("foreign.db");
    {
        DbError error;
        std::unique_ptr<SqliteDatabase> db = SqliteDatabase::Open(foreign, SqliteOpen::Create, error);
        ASSERT_TRUE(db && db->Execute("CREATE TABLE orders (id INTEGER PRIMARY KEY, item TEXT)"));
    }
    ExpectRefused(foreign, StoreAccess::Record, "another program");

    const std::string newer = test_.File("newer.db");
    {
        DbError error;
        std::unique_ptr<SqliteDatabase> db = SqliteDatabase::Open(newer, SqliteOpen::Create, error);
        ASSERT_TRUE(db && db->Execute("CREATE TABLE store_info (name TEXT PRIMARY KEY, value TEXT NOT NULL);"
                                      "INSERT INTO store_info VALUES ('program', 'Mirel'), ('schema', '99');"
                                      "PRAGMA user_version = 99"));
    }
    ExpectRefused(newer, StoreAccess::Record, "newer version of Mirel (store version 99)");

    ExpectRefused(test_.File("missing.db"), StoreAccess::Read, "There is no inventory store");
    EXPECT_EQ(GetFileAttributesA(test_.File("missing.db").c_str()), INVALID_FILE_ATTRIBUTES);

    const std::string empty = test_.File("empty.db");
    WriteFileBytes(empty, "");
    ExpectRefused(empty, StoreAccess::Read, "holds no checks");
}

TEST_F(OpenStore, ARecordingIntoAReadOnlyStoreIsRefused)
{
    const std::string path = test_.File("inventory.db");
    {
        std::unique_ptr<InventoryStore> store = test_.Open();
        ASSERT_TRUE(store);
        StoredCheck check = MakeCheck("PC01", {{"BITS", "Manual", "Stopped"}});
        ASSERT_TRUE(store->Record(check));
    }
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
    ExpectRefused(path, StoreAccess::Record, "read-only");
    std::string message;
    StoreOpenFailure failure;
    StoreLocation location;
    ParseStoreLocation(path, location);
    EXPECT_TRUE(InventoryStore::Open(location, StoreAccess::Query, 5, message, failure)) << message;
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(StoreLocation, TheDefaultFileAndPasswordsThatNeverShow)
{
    StoreLocation location;
    ASSERT_TRUE(ParseStoreLocation("", location));
    EXPECT_NE(location.path.find("\\Mirel\\inventory.db"), std::string::npos) << location.path;
    ASSERT_TRUE(ParseStoreLocation("ODBC:Driver={PostgreSQL Unicode};Server=127.0.0.1;PWD=s3cr;et;Uid=me", location));
    EXPECT_EQ(location.kind, StoreLocation::Kind::Odbc);
    EXPECT_EQ(DescribeStoreLocation(location), "odbc:Driver={PostgreSQL Unicode};Server=127.0.0.1;Uid=me");
    EXPECT_EQ(WithoutPassword("DSN=inv; Password = {a;b} ;pwd=x"), "DSN=inv");
    EXPECT_FALSE(ParseStoreLocation("odbc:  ", location));
}

TEST(StoreLocation, APasswordIsReadAsTheDriverReadsItAndNeverShownWhateverItHolds)
{
    // In braces "}}" is one "}", and ";" and "=" are the password's own.
    const std::string braced = "Driver={PostgreSQL Unicode};Uid=me;Pwd={a}}b;c=d{};Database=inv";
    EXPECT_EQ(PasswordOf(braced), "a}b;c=d{");
    EXPECT_EQ(WithoutPassword(braced), "Driver={PostgreSQL Unicode};Uid=me;Database=inv");
    EXPECT_EQ(ConnectionValue(braced, "database"), "inv");
    EXPECT_EQ(ConnectionValue(braced, "driver"), "PostgreSQL Unicode");
    // Malformed: what follows a password without braces is hidden up to the next attribute
    // the driver reads; a brace never closed hides the rest.
    EXPECT_EQ(WithoutPassword("Server=db;Pwd=a;b}c=d;Port=5432"), "Server=db;Port=5432");
    EXPECT_EQ(WithoutPassword("Server=db;Pwd={a;b}c=d;Uid=x"), "Server=db;Uid=x");
    EXPECT_EQ(WithoutPassword("Server=db;Pwd={a;b}}c=d;Uid=x"), "Server=db");
    EXPECT_EQ(WithoutPassword("Server=db;Password=a;;x y=1;Database=inv"), "Server=db;Database=inv");
    EXPECT_EQ(PasswordOf("Server=db;Pwd=a;b}c=d"), "a");
    StoreLocation location;
    ASSERT_TRUE(ParseStoreLocation("odbc:Server=db;Pwd=a;b}c=d", location));
    EXPECT_EQ(DescribeStoreLocation(location), "odbc:Server=db");
    const std::string message = StoreFailureMessage(location, {DbFailure::Connection, 0, "no answer"});
    EXPECT_EQ(message.find("b}c"), std::string::npos) << message;
}

}  // namespace
