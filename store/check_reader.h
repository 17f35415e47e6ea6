// Reading stored checks back: one check (or two to compare) whole (every part, object and value, volatile
// values included), or only its header.
#pragma once
#include <cstdint>
#include <vector>

#include "db/statement_cache.h"
#include "store/stored_check.h"

enum class LoadResult { Loaded, NotFound, Failed };

LoadResult LoadCheckHeader(StatementCache& statements, int64_t id, StoredCheckHeader& header);
// The headers of every check (of the computer `computerId`; 0: of all), oldest first, in
// one statement; false on failure.
bool LoadCheckHeaders(StatementCache& statements, int64_t computerId, std::vector<StoredCheckHeader>& headers);
LoadResult LoadCheck(StatementCache& statements, int64_t id, StoredCheck& check);
// Two checks, as a comparison takes them: each as LoadCheck reads it, the second sharing
// the objects the first read where both hold the same stored objects. NotFound when
// either is missing: the first's header then has no id when it is the missing one.
LoadResult LoadCheckPair(StatementCache& statements, int64_t firstId, int64_t secondId, StoredCheck& first,
                         StoredCheck& second);
