// Times as ISO 8601 texts, for files that scripts and spreadsheets read.
#pragma once
#include <windows.h>

#include <string>

// "2026-12-09T08:03:04+09:00": the local time of `utc` with its offset from UTC.
std::string IsoLocalTime(const SYSTEMTIME& utc);

// The same for now.
std::string IsoLocalTimeNow();
