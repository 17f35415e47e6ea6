// What a check refers to beside its objects, written so that what repeats is kept once.
//
// Its list of parts (per category or the class: how far it was read, its property list and
// its set of objects) is kept once per content, as object versions are, and shared by every
// check with the same list: a re-check of an unchanged computer adds none.
//
// Its volatile values (free space, free memory, service states...) are kept apart from the
// object versions. The volatile values of one object form a group; the groups of a part's
// objects form a volatile set; the check names one set per part that has such values. Groups
// and sets are shared with the check before it wherever they are the same: a service's
// "Running, True, OK" is kept once for all services, and a part whose values stayed as they
// were costs nothing. They are not keyed by a digest, which would cost more than the values
// that change at every check.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "db/row_batch.h"

// A part as the list of parts keeps it: the digests of its property list and object set
// make the list's own digest.
struct PartListEntry {
    int64_t state = 0;
    int64_t columnsId = 0;
    int64_t setId = 0;
    std::string columnsDigest;
    std::string setDigest;
};

// The id of the list of these parts (in their order), stored now when it was not yet; -1 on
// failure.
int64_t StorePartList(StatementCache& statements, const std::vector<PartListEntry>& parts);

// A cell as the store keeps it.
struct EncodedCell {
    int64_t position = 0;
    int64_t vartype = 0;
    int64_t rawKind = 0;
    DbValue raw;   // null for none
    std::string shown;
};

// The volatile values of one part of a check: per object (by its place in the part) its
// cells that hold something; objects without any are left out.
struct VolatilePart {
    int64_t ordinal = 0;
    std::vector<std::pair<int64_t, std::vector<EncodedCell>>> members;
};

// Stores the volatile values of check `checkId`, sharing groups and sets with the check
// `previousId` (0: none) where they are the same. False on failure.
bool StoreVolatileValues(StatementCache& statements, int64_t checkId, int64_t previousId,
                         const std::vector<VolatilePart>& parts);
