// Moving a store's rows to the tables of a new version where the change is more than SQL can
// say: the digests of content are the program's own.
#pragma once
#include "db/database.h"

// Version 3 to 4: gives every check its list of parts (from its rows of store_parts) and its
// volatile values in groups and sets (from its rows of store_volatile), shared as a check
// recorded now shares them. Inside the migration's transaction; false on failure.
bool MoveToPartLists(Database& database);
