#include "report/report_dates.h"

#include "base/format_text.h"

namespace {

// Howard Hinnant's days_from_civil and civil_from_days, for the proleptic Gregorian calendar.
int64_t DaysFromCivil(int64_t year, unsigned month, unsigned day)
{
    year -= month <= 2;
    const int64_t era = (year >= 0 ? year : year - 399) / 400;
    const unsigned yearOfEra = static_cast<unsigned>(year - era * 400);
    const unsigned dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const unsigned dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + static_cast<int64_t>(dayOfEra) - 719468;
}

void CivilFromDays(int64_t days, int64_t& year, unsigned& month, unsigned& day)
{
    days += 719468;
    const int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const unsigned dayOfEra = static_cast<unsigned>(days - era * 146097);
    const unsigned yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const unsigned dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const unsigned monthIndex = (5 * dayOfYear + 2) / 153;
    day = dayOfYear - (153 * monthIndex + 2) / 5 + 1;
    month = monthIndex < 10 ? monthIndex + 3 : monthIndex - 9;
    year = static_cast<int64_t>(yearOfEra) + era * 400 + (month <= 2);
}

bool Digits(const std::string& text, size_t at, size_t count, unsigned& value)
{
    value = 0;
    for (size_t i = at; i < at + count; ++i) {
        if (i >= text.size() || text[i] < '0' || text[i] > '9')
            return false;
        value = value * 10 + static_cast<unsigned>(text[i] - '0');
    }
    return true;
}

}  // namespace

std::string LocalDate(int64_t epoch, int offsetMinutes)
{
    const int64_t seconds = epoch + offsetMinutes * 60ll;
    int64_t days = seconds / 86400;
    if (seconds % 86400 < 0)
        --days;
    int64_t year = 0;
    unsigned month = 0, day = 0;
    CivilFromDays(days, year, month, day);
    return FormatText("%04lld-%02u-%02u", static_cast<long long>(year), month, day);
}

bool DayNumber(const std::string& date, int64_t& day)
{
    unsigned year = 0, month = 0, dayOfMonth = 0;
    const bool separated = date.size() >= 10 && (date[4] == '-' || date[4] == '/') && date[7] == date[4];
    if (!separated || !Digits(date, 0, 4, year) || !Digits(date, 5, 2, month) || !Digits(date, 8, 2, dayOfMonth))
        return false;
    const unsigned lengths[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
    if (month < 1 || month > 12 || dayOfMonth < 1 || dayOfMonth > lengths[month - 1] ||
        (month == 2 && dayOfMonth == 29 && !leap))
        return false;
    day = DaysFromCivil(year, month, dayOfMonth);
    return true;
}
