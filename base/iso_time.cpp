#include "base/iso_time.h"

#include <cstdlib>

#include "base/format_text.h"

namespace {

ULONGLONG Ticks(const SYSTEMTIME& time)
{
    FILETIME file{};
    SystemTimeToFileTime(&time, &file);
    return (static_cast<ULONGLONG>(file.dwHighDateTime) << 32) | file.dwLowDateTime;
}

}  // namespace

std::string IsoLocalTime(const SYSTEMTIME& utc)
{
    SYSTEMTIME local{};
    if (!SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local))
        local = utc;
    // The offset in force at that moment (daylight saving included), in whole minutes.
    const long long minutes =
        (static_cast<long long>(Ticks(local)) - static_cast<long long>(Ticks(utc))) / 600000000LL;
    const long long offset = std::llabs(minutes);
    return FormatText("%04u-%02u-%02uT%02u:%02u:%02u%c%02lld:%02lld", local.wYear, local.wMonth, local.wDay,
                      local.wHour, local.wMinute, local.wSecond, minutes < 0 ? '-' : '+', offset / 60,
                      offset % 60);
}

std::string IsoLocalTimeNow()
{
    SYSTEMTIME utc{};
    GetSystemTime(&utc);
    return IsoLocalTime(utc);
}
