// What the inventory store adds to a computer sheet: which check is the computer's latest
// complete standard check, and the changes of its last days (the changes view).
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "db/database.h"

struct SheetChange {
    std::string checkedAt, className, objectKey, change, property, before, after;
};

struct SheetHistory {
    bool stored = false;               // the store knows the computer
    std::vector<SheetChange> changes;  // newest first
    int64_t more = 0;                  // changes left out beyond the limit
};

inline constexpr int kSheetChangeDays = 90;
inline constexpr int64_t kSheetChangeLimit = 1000;

enum class SheetLookup { Found, NotFound, Failed };

// The latest complete standard check of `computer` (its name in any case) and the name
// the store files it under.
SheetLookup FindLatestCheck(Database& database, const std::string& computer, int64_t& checkId, std::string& name,
                            std::string& error);

// The changes of `computer` (as the store names it) since `now` less 90 days.
bool ReadSheetHistory(Database& database, const std::string& computer, int64_t now, SheetHistory& history,
                      std::string& error);
