// Times as the user reads them on screen: the short date and time formats the user set
// for their locale (Control Panel, Region). Files and mirelrep keep ISO 8601 (iso_time.h).
#pragma once
#include <windows.h>

#include <string>

// "2026-12-10T17:03:04+09:00" (or "...Z", or without an offset) as the user's short date
// and short time, the clock time where it was written ("2026/12/10 17:03" in Japan,
// "12/10/2026 5:03 PM" in the United States); a date alone ("2026-12-10") as the short
// date. Any other text comes back as it is.
std::string ShownTime(const std::string& isoTime);

// The same for a time of the system clock, in local time.
std::string ShownTime(const SYSTEMTIME& localTime, bool withTime = true);
