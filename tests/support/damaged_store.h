// A store file damaged as a flipped byte damages it: every bit of the page-type byte of a
// table's first page flipped, which no b-tree page has, as SQLite's integrity check and
// every read of that table find. Flipped again, the file is as it was.
#pragma once
#include <string>

#include "db/sqlite_database.h"
#include "tests/support/temp_files.h"

// False when the file is no store with that table. Nothing may hold the file open.
inline bool FlipTablePage(const std::string& path, const std::string& table = "store_checks")
{
    int64_t root = 0, pageSize = 0;
    {
        DbError error;
        std::unique_ptr<SqliteDatabase> db = SqliteDatabase::Open(path, SqliteOpen::ReadOnly, error);
        std::unique_ptr<DbStatement> rootPage =
            db ? db->Prepare("SELECT rootpage FROM sqlite_master WHERE name = ?") : nullptr;
        if (!rootPage)
            return false;
        rootPage->BindText(1, table);
        std::unique_ptr<DbStatement> size = db->Prepare("PRAGMA page_size");
        if (rootPage->Step() != DbStep::Row || !size || size->Step() != DbStep::Row)
            return false;
        root = rootPage->Int(0);
        pageSize = size->Int(0);
    }
    std::string bytes = ReadFile(path);
    const size_t at = static_cast<size_t>((root - 1) * pageSize + (root == 1 ? 100 : 0));
    if (at >= bytes.size())
        return false;
    bytes[at] = static_cast<char>(bytes[at] ^ 0xFF);
    WriteFileBytes(path, bytes);
    return true;
}
