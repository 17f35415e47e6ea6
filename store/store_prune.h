// Keeping the store small: checks older than a number of days go, never the latest check
// of a computer (of each kind, and the latest that read something), and with them every
// object, set and property list that no remaining check references. Checks chosen by
// number, and a computer with all its checks, go the same way.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "db/database.h"

struct PruneResult {
    int64_t removed = 0;     // checks removed
    int64_t remaining = 0;   // checks left
    // Why the file was not made smaller, when it was not (another program reading it); the
    // checks are gone all the same.
    std::string notCompacted;
};

inline constexpr int kMaxPruneDays = 36500;

// Removes, in one transaction, the checks recorded more than `days` days before `nowEpoch`
// (seconds since 1970, UTC), then gives the space back (SQLite). False with the database's
// error; the store is then as it was.
bool PruneStore(Database& database, int days, int64_t nowEpoch, PruneResult& result);

// Removes the checks numbered `ids`, in one transaction, with what only they used, and a
// computer left without checks; then gives the space back (SQLite). A number the store
// does not hold goes into `missing`, and then nothing is removed. False with the
// database's error; the store is then as it was.
bool DeleteChecks(Database& database, const std::vector<int64_t>& ids, PruneResult& result,
                  std::vector<int64_t>& missing);

// Removes a computer and all its checks the same way.
bool DeleteComputer(Database& database, int64_t computerId, PruneResult& result);

// "Deleted 3 checks. The store now holds 12 checks."
std::string DeletedChecksText(const PruneResult& result);
