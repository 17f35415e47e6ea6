#include "store/stored_check.h"

#include <cstdio>

#include "base/iso_time.h"
#include "base/text_util.h"

namespace {

constexpr int64_t kTicksPerSecond = 10000000;
constexpr int64_t kUnixEpochTicks = 116444736000000000LL;   // 1970-01-01 as a FILETIME

int64_t EpochOf(const SYSTEMTIME& utc)
{
    FILETIME file{};
    if (!SystemTimeToFileTime(&utc, &file))
        return 0;
    const int64_t ticks = (static_cast<int64_t>(file.dwHighDateTime) << 32) | file.dwLowDateTime;
    return (ticks - kUnixEpochTicks) / kTicksPerSecond;
}

std::string UtcText(const SYSTEMTIME& utc)
{
    char text[32];
    std::snprintf(text, sizeof text, "%04u-%02u-%02uT%02u:%02u:%02uZ", utc.wYear, utc.wMonth, utc.wDay, utc.wHour,
                  utc.wMinute, utc.wSecond);
    return text;
}

}  // namespace

CheckTime CheckTime::OfSystemTime(const SYSTEMTIME& utc)
{
    CheckTime time;
    FromLocalText(IsoLocalTime(utc), time);
    return time;
}

CheckTime CheckTime::Now()
{
    SYSTEMTIME utc{};
    GetSystemTime(&utc);
    utc.wMilliseconds = 0;
    return OfSystemTime(utc);
}

bool CheckTime::FromLocalText(const std::string& local, CheckTime& time)
{
    unsigned year, month, day, hour, minute, second, offsetHours, offsetMinutes;
    char sign = 0;
    int used = 0;
    if (std::sscanf(local.c_str(), "%4u-%2u-%2uT%2u:%2u:%2u%c%2u:%2u%n", &year, &month, &day, &hour, &minute, &second,
                    &sign, &offsetHours, &offsetMinutes, &used) != 9 ||
        static_cast<size_t>(used) != local.size() || (sign != '+' && sign != '-') || offsetMinutes > 59 ||
        offsetHours > 23)
        return false;
    SYSTEMTIME localTime{};
    localTime.wYear = static_cast<WORD>(year);
    localTime.wMonth = static_cast<WORD>(month);
    localTime.wDay = static_cast<WORD>(day);
    localTime.wHour = static_cast<WORD>(hour);
    localTime.wMinute = static_cast<WORD>(minute);
    localTime.wSecond = static_cast<WORD>(second);
    FILETIME file{};
    if (!SystemTimeToFileTime(&localTime, &file))
        return false;
    const int offset = (sign == '-' ? -1 : 1) * static_cast<int>(offsetHours * 60 + offsetMinutes);
    int64_t ticks = (static_cast<int64_t>(file.dwHighDateTime) << 32) | file.dwLowDateTime;
    ticks -= static_cast<int64_t>(offset) * 60 * kTicksPerSecond;
    FILETIME utcFile{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
    SYSTEMTIME utc{};
    if (!FileTimeToSystemTime(&utcFile, &utc))
        return false;
    time.local = local;
    time.offsetMinutes = offset;
    time.utc = UtcText(utc);
    time.epoch = EpochOf(utc);
    return true;
}

const StoredPart* StoredCheck::FindPart(const std::string& className) const
{
    for (const StoredPart& part : parts)
        if (EqualsNoCase(part.className, className))
            return &part;
    return nullptr;
}
