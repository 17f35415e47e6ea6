// The statements whose text differs between SQLite and PostgreSQL, side by side. Every
// other statement of the store is written once and serves both.
#pragma once
#include <string>

#include "db/database.h"

struct StoreStatements {
    const char* countInfoTable;   // 1 when the table store_info exists, else 0
    const char* countTables;      // the number of tables and views of the database's own
    const char* lockSchema;       // serialises schema changes of several programs; "" when a write transaction does
    const char* lockComputer;     // serialises the recording of one computer's checks (id bound); "" likewise
    const char* highestCheckNumber;   // the highest check number the store ever gave (0: none)
    const char* claimCheckNumber;     // after a check was recorded under a number of its own (bound): numbering
                                      // goes on after it; "" when the database does so by itself
};

const StoreStatements& StatementsFor(DbDialect dialect);

// A statement of the store's schema or views in the dialect's words: {id} its
// self-numbering key, {big} its 64-bit integer, {real} its floating type, {keyed} the
// clause that stores a table in its primary key.
std::string ForDialect(std::string text, DbDialect dialect);

// The condition that the check of alias `c` read something: a part of it was read, at
// least in part. A literal, to be joined to the statements that ask it.
#define KEPT_CHECK_READ_SOMETHING \
    "EXISTS (SELECT 1 FROM store_part_list_members p WHERE p.list_id = c.part_list_id AND p.state <> 2)"
