// The store's tables, in one place, with their version: creating them in a new database,
// bringing an older store forward one version at a time, and refusing a store that a newer
// Mirel wrote or a database that belongs to another program.
#pragma once
#include "db/database.h"

// The version this program writes. Every version before it has a migration.
inline constexpr int kStoreSchemaVersion = 8;

enum class SchemaState {
    Ready,     // the tables are there, at this program's version (made or brought forward now, when allowed)
    Empty,     // no tables at all, and not allowed to make them
    Older,     // an older store, and not allowed to bring it forward
    Newer,     // written by a newer Mirel: left as it is
    Foreign,   // a database of another program: left as it is
    Failed,    // the database failed (its error in LastError)
};

struct SchemaFound {
    SchemaState state = SchemaState::Failed;
    int version = 0;   // the version the database holds (0: none)
};

// Looks at the database and, with `mayWrite`, makes it ready for this program: creates the
// tables in an empty database and migrates an older store, each step in a transaction of
// its own that also records the new version. Without `mayWrite` it only looks. `upTo`
// stops at an earlier version (tests make older stores with it).
SchemaFound PrepareSchema(Database& database, bool mayWrite, int upTo = kStoreSchemaVersion);
