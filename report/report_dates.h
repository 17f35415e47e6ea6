// Calendar days for reports: local dates of moments, and days between dates.
#pragma once
#include <cstdint>
#include <string>

// The local date ("2026-12-10") of `epoch` (seconds since 1970, UTC) at `offsetMinutes`.
std::string LocalDate(int64_t epoch, int offsetMinutes);

// Days since 1970-01-01 of a date that starts "yyyy-mm-dd" or "yyyy/mm/dd"; false when the
// text starts with no valid date.
bool DayNumber(const std::string& date, int64_t& day);
