// Moving a store's rows to the tables of a new version where the change is more than SQL can
// say: the digests of content are the program's own.
#pragma once
#include "db/database.h"

// Version 3 to 4: gives every check its list of parts (from its rows of store_parts) and its
// volatile values in groups and sets (from its rows of store_volatile), shared as a check
// recorded now shares them. Inside the migration's transaction; false on failure.
bool MoveToPartLists(Database& database);

// Version 5 to 6: files every check under the computer by the rule of a check recorded now
// (store/check_computer.h): the name the computer reported in the check's
// Win32_ComputerSystem part, else the computer its typed name reached in the latest check
// before it that named its computer (or the first after), else where it was. Computers left
// without checks go; the changes of the histories that were merged are recorded anew. Every
// check is kept with its number. Inside the migration's transaction; false on failure.
bool MergeHistories(Database& database);
