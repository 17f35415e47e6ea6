// The rows of the latest checks' categories that questions read most (programs, services, the
// operating system, disks), which the store keeps in tables of their own (store_latest_*,
// described in store/views.sql), so that the views over them and the questions read rows
// instead of gathering every computer's objects. They are made again for a computer whenever
// its latest check may have changed; inside the caller's transaction.
#pragma once
#include <cstdint>

#include "db/statement_cache.h"

// The kept rows of one computer, made again from its latest check (none when it has none).
bool KeepLatestRows(StatementCache& statements, int64_t computerId);

// The kept rows of every computer, made anew.
bool KeepAllLatestRows(Database& database);
