// Copying every check of one store into another (a file to a server and back, for a team
// that moves or archives its store). A check already in the target is skipped, so a second
// copy copies nothing; a check keeps its number where the target never gave that number.
// Each check is copied in a transaction of its own: a copy that stops or fails half-way
// leaves the checks copied so far, and running it again goes on from there.
#pragma once
#include <cstdint>
#include <functional>

#include "store/inventory_store.h"

struct CopyResult {
    int64_t copied = 0;          // recorded into the target
    int64_t alreadyThere = 0;    // found in the target already
    int64_t failedCheck = 0;     // the check whose copy failed (0: none)
    bool readFailed = false;     // it failed reading the source (else writing the target)
};

// Copies the checks of `from` into `to`, oldest number first, looking at `stopped` before
// each. False when a check could not be read or written (the failing store's
// FailureMessage() tells why), or when `stopped` said so.
bool CopyChecks(InventoryStore& from, InventoryStore& to, const std::function<bool()>& stopped, CopyResult& result);
