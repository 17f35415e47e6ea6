// The inventory store as the program uses it: opened at its location for recording, for
// reading, or for a read-only query; made ready (created or brought forward) when allowed;
// refused with a message ready to show when it cannot be used. A store file is never
// overwritten, "repaired" or altered when it is not Mirel's or is a newer Mirel's.
#pragma once
#include <memory>
#include <string>

#include "store/check_recorder.h"
#include "db/database.h"
#include "db/statement_cache.h"
#include "db/store_location.h"

enum class StoreAccess {
    Record,   // create the file (and its folder) when missing; bring an older store forward;
              // refused for a file marked damaged or one that cannot be written
    Read,     // the store must exist; an older one is brought forward. A file marked damaged,
              // or in a folder or on a medium that cannot be written, is opened read-only.
    Query,    // the store must exist and be current; opened read-only
};

// Why a store could not be used, for the exit code: a missing or unusable store is a file
// error; a store without checks says there is nothing to show.
enum class StoreOpenFailure { None, Unusable, Empty };

class InventoryStore {
public:
    // Null with `message` (in the user interface language) and `failure` set.
    static std::unique_ptr<InventoryStore> Open(const StoreLocation& location, StoreAccess access,
                                                unsigned timeoutSeconds, std::string& message,
                                                StoreOpenFailure& failure);

    InventoryStore(const InventoryStore&) = delete;
    InventoryStore& operator=(const InventoryStore&) = delete;

    Database& Db() { return *database_; }
    StatementCache& Statements() { return statements_; }
    const StoreLocation& Location() const { return location_; }

    // Records the check (see CheckRecorder and RecordMode); false with
    // FailureMessage() telling why. A store file marked damaged (damage_mark.h) is refused.
    // A check already in the store is not recorded again: AlreadyStored() then says so.
    bool Record(StoredCheck& check, RecordMode mode = RecordMode::MayBeStored);
    bool AlreadyStored() const { return recorder_.AlreadyStored(); }

    // The database's last failure as a message: what failed, naming the store, with the
    // database's own words.
    std::string FailureMessage() const;

private:
    InventoryStore(StoreLocation location, std::unique_ptr<Database> database);

    StoreLocation location_;
    std::unique_ptr<Database> database_;
    StatementCache statements_;
    CheckRecorder recorder_;
    std::string refusal_;   // why the last recording was refused before it began
};

// The message of a database failure `error` of the store at `location`.
std::string StoreFailureMessage(const StoreLocation& location, const DbError& error);
