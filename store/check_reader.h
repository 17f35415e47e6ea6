// Reading stored checks back: one check whole (every part, object and value, volatile
// values included), or only its header.
#pragma once
#include <cstdint>

#include "db/statement_cache.h"
#include "store/stored_check.h"

enum class LoadResult { Loaded, NotFound, Failed };

LoadResult LoadCheckHeader(StatementCache& statements, int64_t id, StoredCheckHeader& header);
LoadResult LoadCheck(StatementCache& statements, int64_t id, StoredCheck& check);
