#include "render/formats.h"

#include <windows.h>
#include <sddl.h>

#include <memory>
#include <vector>

#include "render/code_reader.h"
#include "render/decode.h"
#include "base/format_text.h"
#include "base/narrow.h"
#include "base/text_util.h"

namespace {

bool AllOf(std::string_view text, const char* allowed)
{
    return text.find_first_not_of(allowed) == std::string_view::npos;
}

constexpr const char* kDecimalDigits = "0123456789";
constexpr const char* kHexDigits = "0123456789abcdefABCDEF";

std::string FormatDate(int year, int month, int day)
{
    return FormatText("%4.4d/%2.2d/%2.2d", year, month, day);
}

// True when the day exists in the month of the year (Gregorian).
bool IsCalendarDate(int year, int month, int day)
{
    constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12 || day < 1)
        return false;
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return day <= kDays[month - 1] + (month == 2 && leap ? 1 : 0);
}

// The date of its parts, or `text` itself when they name no day of the calendar.
std::string DateOrText(int year, int month, int day, std::string_view text)
{
    return IsCalendarDate(year, month, day) ? FormatDate(year, month, day) : std::string(text);
}

// Eight hexadecimal digits (already checked) as a 32-bit number.
DWORD ReadHexWord(std::string_view digits)
{
    DWORD value = 0;
    for (char digit : digits) {
        int nibble = digit <= '9' ? digit - '0' : (digit | 0x20) - 'a' + 10;
        value = value << 4 | static_cast<DWORD>(nibble);
    }
    return value;
}

// 16 hexadecimal digits, high 32 bits first: a FILETIME in UTC shown in local time.
// A value that is no convertible FILETIME keeps its text.
std::string FormatHexFileTime(std::string_view text)
{
    FILETIME utc{};
    utc.dwHighDateTime = ReadHexWord(text.substr(0, 8));
    utc.dwLowDateTime = ReadHexWord(text.substr(8, 8));
    SYSTEMTIME universal{};
    SYSTEMTIME local{};
    if (!FileTimeToSystemTime(&utc, &universal) ||
        !SystemTimeToTzSpecificLocalTime(nullptr, &universal, &local))
        return std::string(text);
    return FormatText("%4.4d/%2.2d/%2.2d %2.2d:%2.2d:%2.2d", local.wYear, local.wMonth,
                      local.wDay, local.wHour, local.wMinute, local.wSecond);
}

// "month/day/year", each part digits only; "day/month/year" where the first part cannot
// be a month but the second can. A text that names no day of the calendar is unchanged.
std::string FormatSlashDate(std::string_view text)
{
    size_t first = text.find('/');
    size_t second = first == std::string_view::npos ? first : text.find('/', first + 1);
    if (second == std::string_view::npos)
        return std::string(text);
    std::string_view month = text.substr(0, first);
    std::string_view day = text.substr(first + 1, second - first - 1);
    std::string_view year = text.substr(second + 1);
    if (!AllOf(month, kDecimalDigits) || !AllOf(day, kDecimalDigits) || !AllOf(year, kDecimalDigits))
        return std::string(text);
    const int monthPart = ReadCode(month), dayPart = ReadCode(day);
    if (monthPart > 12 && dayPart <= 12)
        return DateOrText(ReadCode(year), dayPart, monthPart, text);
    return DateOrText(ReadCode(year), monthPart, dayPart, text);
}

struct LocalMemoryFree {
    void operator()(void* memory) const { LocalFree(memory); }
};

}  // namespace

bool FormatCimDateTime(int, VARTYPE type, std::string_view text, std::string& decoded)
{
    if (text.empty() || type != VT_BSTR)
        return false;
    std::string_view stem = text.substr(0, text.find('.'));
    if (stem.size() < 8)
        return false;
    decoded.assign(stem.substr(0, 4)).append("/").append(stem.substr(4, 2)).append("/")
        .append(stem.substr(6, 2));
    if (stem.size() >= 14) {
        decoded.append(" ").append(stem.substr(8, 2)).append(":").append(stem.substr(10, 2))
            .append(":").append(stem.substr(12, 2));
    }
    return true;
}

bool FormatInstalledOn(int, VARTYPE, std::string_view text, std::string& decoded)
{
    if (text.empty())
        return false;
    if (text.size() == 16)
        decoded = AllOf(text, kHexDigits) ? FormatHexFileTime(text) : std::string(text);
    else if (text.size() == 8 && AllOf(text, kDecimalDigits))
        decoded = DateOrText(ReadCode(text.substr(0, 4)), ReadCode(text.substr(4, 2)), ReadCode(text.substr(6, 2)),
                             text);
    else
        decoded = FormatSlashDate(text);
    return true;
}

bool FormatAccountFromSid(std::string_view host, std::string_view text, std::string& decoded)
{
    if (text.empty())
        return false;
    decoded.assign(text);
    PSID rawSid = nullptr;
    if (!ConvertStringSidToSidW(ToWide(decoded).c_str(), &rawSid))
        return true;
    std::unique_ptr<void, LocalMemoryFree> sid(rawSid);
    const std::wstring target = ToWide(host);
    wchar_t account[260] = {};
    wchar_t domain[260] = {};
    DWORD accountCapacity = 259;
    DWORD domainCapacity = 259;
    SID_NAME_USE use{};
    if (!LookupAccountSidW(target.empty() ? nullptr : target.c_str(), sid.get(), account,
                           &accountCapacity, domain, &domainCapacity, &use))
        return true;
    if (account[0] == L'\0')
        return true;
    decoded.clear();
    if (domain[0] != L'\0')
        decoded.append(ToNarrow(domain)).append("\\");
    decoded.append(ToNarrow(account));
    return true;
}

std::string GroupDigits(std::string_view text)
{
    std::string trimmed = TrimWhiteSpace(text);
    std::string_view body = trimmed;
    bool negative = !body.empty() && body.front() == '-';
    if (negative)
        body.remove_prefix(1);
    if (!AllOf(body, "0123456789."))
        return trimmed;
    size_t dot = body.find('.');
    std::string_view integer = body.substr(0, dot);
    std::string_view fraction = dot == std::string_view::npos ? std::string_view() : body.substr(dot);
    std::string grouped;
    grouped.reserve(trimmed.size() + integer.size() / 3);
    if (negative)
        grouped += '-';
    for (size_t index = 0; index < integer.size(); ++index) {
        if (index > 0 && (integer.size() - index) % 3 == 0)
            grouped += ',';
        grouped += integer[index];
    }
    grouped += fraction;
    return grouped;
}
