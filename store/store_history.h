// What the store holds, by computer: the checks in the order they ran, the computers with
// their first and last checks, and the checks a comparison takes.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "db/statement_cache.h"
#include "store/stored_check.h"

struct StoredComputer {
    int64_t id = 0;
    std::string name;
    std::string firstChecked, lastChecked;   // local times of the first and the last check
    std::string lastResult;
    int64_t checks = 0;
};

enum class Lookup { Found, NotFound, Failed };

// The headers of every check (of one computer, when named), oldest first.
Lookup ListChecks(StatementCache& statements, const std::string& computer, std::vector<StoredCheckHeader>& checks);

// Every computer with its first and last check, by name.
bool ListComputers(StatementCache& statements, std::vector<StoredComputer>& computers);

// The computer filed under `name` (case ignored; "." and this computer's names find this
// computer), else the computer a check typed as `name` last reached.
Lookup FindComputer(StatementCache& statements, const std::string& name, StoredComputer& computer);

// The two latest checks of a computer that read something, of the kind of its latest one:
// NotFound when it has fewer than two.
Lookup LatestTwoChecks(StatementCache& statements, int64_t computerId, int64_t& older, int64_t& newer);

// The latest check of a computer that read something (the window opens it); 0 for none.
Lookup LatestCheck(StatementCache& statements, int64_t computerId, int64_t& id);
