// Recording a check into the store, in one transaction: the check is there whole or not at
// all. Object versions, the sets of objects of a category and property lists are kept once
// per content and shared by every check that saw them; volatile values are kept per check.
// The changes against the previous check of the same computer and kind are recorded with
// it (and those of the next check, when an imported check lands between two).
#pragma once
#include "db/statement_cache.h"
#include "store/stored_check.h"

class CheckRecorder {
public:
    explicit CheckRecorder(StatementCache& statements) : statements_(statements) {}

    // Sets check.header.id and check.header.changes. False with the database's error in
    // its LastError; nothing of the check is then in the store.
    bool Record(StoredCheck& check);

    // Recomputes the recorded changes of a check against the check before it (after
    // checks between them were removed or added); inside the caller's transaction.
    bool RecordChanges(int64_t checkId);

private:
    bool Write(StoredCheck& check);

    StatementCache& statements_;
};
