// Verifying an inventory store: on a file, SQLite's own integrity check reads every page
// and index; a file found damaged is marked so beside it (see damage_mark.h), one found
// sound loses its mark. A server database guards its own files: there the store is opened
// and read, and the message says to check the server with its own tools.
#pragma once
#include <string>
#include <vector>

#include "db/store_location.h"

enum class StoreSoundness {
    Sound,
    Damaged,
    NotVerified,   // missing, busy beyond the wait, not a store Mirel can read...
};

struct StoreVerdict {
    StoreSoundness soundness = StoreSoundness::NotVerified;
    std::vector<std::string> damage;   // Damaged: what SQLite found, one finding each
    std::string message;               // ready to show (user interface language)
};

// The most findings listed; SQLite stops looking after them.
inline constexpr int kMaxDamageListed = 100;

// Verifies the store at `location`; `timeoutSeconds` bounds a server's answers (0: the
// default). Never writes into the store itself.
StoreVerdict VerifyStore(const StoreLocation& location, unsigned timeoutSeconds);
