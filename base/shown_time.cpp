#include "base/shown_time.h"

#include <cstdio>

#include "base/narrow.h"

namespace {

// The date and the time in the user's short formats; empty when the system has none.
std::wstring DateText(const SYSTEMTIME& time)
{
    wchar_t text[128] = {};
    if (GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, DATE_SHORTDATE, &time, nullptr, text, 128, nullptr) <= 0)
        return {};
    return text;
}

std::wstring TimeText(const SYSTEMTIME& time)
{
    // The short time format is a locale value of its own: GetTimeFormatEx has no flag for it.
    wchar_t format[80] = {};
    const bool shortFormat = GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SSHORTTIME, format, 80) > 0;
    wchar_t text[128] = {};
    if (GetTimeFormatEx(LOCALE_NAME_USER_DEFAULT, shortFormat ? 0 : TIME_NOSECONDS, &time,
                        shortFormat ? format : nullptr, text, 128) <= 0)
        return {};
    return text;
}

bool ValidDate(const SYSTEMTIME& time)
{
    return time.wYear >= 1601 && time.wMonth >= 1 && time.wMonth <= 12 && time.wDay >= 1 && time.wDay <= 31;
}

}  // namespace

std::string ShownTime(const SYSTEMTIME& localTime, bool withTime)
{
    const std::wstring date = DateText(localTime);
    if (date.empty())
        return {};
    if (!withTime)
        return ToNarrow(date);
    const std::wstring time = TimeText(localTime);
    return ToNarrow(time.empty() ? date : date + L" " + time);
}

std::string ShownTime(const std::string& isoTime)
{
    SYSTEMTIME time{};
    unsigned year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    int used = 0;
    if (std::sscanf(isoTime.c_str(), "%4u-%2u-%2u%n", &year, &month, &day, &used) != 3 || used != 10)
        return isoTime;
    time.wYear = static_cast<WORD>(year);
    time.wMonth = static_cast<WORD>(month);
    time.wDay = static_cast<WORD>(day);
    if (!ValidDate(time))
        return isoTime;
    if (isoTime.size() == 10) {
        const std::string shown = ShownTime(time, false);
        return shown.empty() ? isoTime : shown;
    }
    if (std::sscanf(isoTime.c_str() + 10, "T%2u:%2u:%2u%n", &hour, &minute, &second, &used) != 3 || used != 9 ||
        hour > 23 || minute > 59 || second > 60)
        return isoTime;
    time.wHour = static_cast<WORD>(hour);
    time.wMinute = static_cast<WORD>(minute);
    time.wSecond = static_cast<WORD>(second > 59 ? 59 : second);
    const std::string shown = ShownTime(time, true);
    return shown.empty() ? isoTime : shown;
}
