// Numbers, sizes and times in a report as the program's lists show them: digits grouped,
// dates as "2026/12/10 17:03:04", sizes in the unit that reads best.
#pragma once
#include <cstdint>
#include <string>

std::string ReportNumber(int64_t number);
// A size in bytes: "512 MB", "7.8 GB", "1,862.6 GB"; empty for a negative size.
std::string ReportBytes(int64_t bytes);
// A memory size rounded to whole gigabytes ("8 GB"), or megabytes below one gigabyte.
std::string ReportMemory(int64_t bytes);
// A share with one decimal: "9.5 %".
std::string ReportPercent(double percent);
// An ISO 8601 local time ("2026-12-10T17:03:04+09:00") as the program shows times:
// "2026/12/10 17:03:04"; a text that is no such time unchanged.
std::string ReportTime(const std::string& isoLocal);
