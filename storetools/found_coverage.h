// The coverage the store keeps: every computer a source (the directory, an address range)
// found, with what the source said of it and when it was found, and when each source was
// last read, so that questions can tell the computers never checked, those whose last
// check failed, and those checked but no longer found. A check matches a found computer by
// the name it was given (its target) or by the computer's name in the store.
#pragma once
#include <string>
#include <unordered_set>
#include <vector>

#include "db/database.h"
#include "discovery/found_computer.h"
#include "store/stored_check.h"

// Records what `source` ("LDAP://server:port/base" with its filters, or the range) found at
// `foundAt`, in one transaction: the source's read time, and each computer, added or
// updated with what the source says now (its first finding kept). False on a database
// failure (nothing recorded).
bool RecordFoundComputers(Database& database, const std::string& source, const std::vector<FoundComputer>& computers,
                          const CheckTime& foundAt);

// The computers with a complete check of `kind` at or after `sinceEpoch`: the match keys
// (IdentityMatchKey) of the names they were checked by and of their names in the store.
// False on a database failure.
bool RecentlyCheckedKeys(Database& database, const std::string& kind, int64_t sinceEpoch,
                         std::unordered_set<std::string>& keys);
