// Recording a check into the store, in one transaction: the check is there whole or not at
// all. Object versions, the sets of objects of a category and property lists are kept once
// per content and shared by every check that saw them; volatile values are kept per check.
// The changes against the previous check of the same computer and kind are recorded with
// it (and those of the next check, when an imported check lands between two).
#pragma once
#include "db/statement_cache.h"
#include "store/stored_check.h"

// How a check reaches the store. A check just read from a computer is recorded whatever is
// stored (two checks of the same second may read the same); one that may be there already
// (from a file, or recorded once more after a connection dropped) is looked for first; a
// copy from another store is looked for and keeps its computer and number.
enum class RecordMode { JustRead, MayBeStored, Copy };

class CheckRecorder {
public:
    explicit CheckRecorder(StatementCache& statements) : statements_(statements) {}

    // Sets check.header.id and check.header.changes. False with the database's error in
    // its LastError; nothing of the check is then in the store. A check already in the store
    // (the same computer, time of checking, kind and content) is not recorded again unless
    // it was just read: its number is set and AlreadyStored() is true. A Copy keeps the
    // computer it is filed under, and its header.id when this store never gave that number.
    bool Record(StoredCheck& check, RecordMode mode = RecordMode::MayBeStored);
    // Whether the last Record found the check already in the store.
    bool AlreadyStored() const { return alreadyStored_; }

    // Recomputes the recorded changes of a check against the check before it (after
    // checks between them were removed or added); inside the caller's transaction.
    bool RecordChanges(int64_t checkId);

private:
    bool Write(StoredCheck& check, RecordMode mode);

    StatementCache& statements_;
    bool alreadyStored_ = false;
};
