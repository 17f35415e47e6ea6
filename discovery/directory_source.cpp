#include "discovery/directory_source.h"

#include <algorithm>
#include <cwctype>

#include "base/format_text.h"
#include "base/iso_time.h"
#include "base/narrow.h"
#include "base/text_util.h"
#include "resources/resource.h"
#include "resources/text.h"

namespace {

constexpr unsigned long long kFileTimeUnitsPerDay = 864000000000ULL;
constexpr wchar_t kEnabledComputers[] =
    L"(objectClass=computer)(!(userAccountControl:1.2.840.113556.1.4.803:=2))";

constexpr wchar_t kFirstHalf[] = L"(|(cn=*0)(cn=*2)(cn=*4)(cn=*6)(cn=*8)(cn=*a)(cn=*c)(cn=*e)(cn=*g)(cn=*i)(cn=*k)"
                                 L"(cn=*m)(cn=*o)(cn=*q)(cn=*s)(cn=*u)(cn=*w)(cn=*y))";

bool StartsWithNoCase(const std::wstring& text, const wchar_t* prefix)
{
    const size_t length = wcslen(prefix);
    return text.size() >= length && _wcsnicmp(text.c_str(), prefix, length) == 0;
}

// A filter value as RFC 4515 writes it: "*", "(", ")", "\" and NUL as "\" and two
// hexadecimal digits; the pattern's own "*" stays a wildcard.
std::wstring EscapedPattern(const std::wstring& pattern)
{
    std::wstring escaped;
    for (wchar_t character : pattern) {
        if (character == L'*' && !escaped.empty() && escaped.back() == L'*')
            continue;   // "**" would be an empty substring, which no filter may hold
        if (character == L'(' || character == L')' || character == L'\\' || character == 0) {
            wchar_t hex[4];
            swprintf(hex, 4, L"\\%02x", static_cast<unsigned>(character));
            escaped += hex;
        } else {
            escaped += character;
        }
    }
    return escaped;
}

bool ReadPort(const std::wstring& text, ULONG& port)
{
    if (text.empty() || text.size() > 5 ||
        !std::all_of(text.begin(), text.end(), [](wchar_t digit) { return digit >= L'0' && digit <= L'9'; }))
        return false;
    port = static_cast<ULONG>(std::stoul(text));
    return port >= 1 && port <= 65535;
}

}  // namespace

std::string DirectorySource::Text() const
{
    std::wstring text = (ldaps ? L"LDAPS://" : L"LDAP://") + server + L":" + std::to_wstring(Port()) + L"/" + baseDn;
    return ToNarrow(text);
}

bool ParseDirectoryAddress(const std::string& text, DirectorySource& source, std::string& reason)
{
    const std::wstring wide = ToWide(TrimWhiteSpace(text));
    const auto bad = [&] {
        reason = LoadText(IDS_DIRECTORY_BAD_ADDRESS) + text;
        return false;
    };
    if (std::any_of(wide.begin(), wide.end(), [](wchar_t character) { return character < 0x20 || character == 0x7F; }))
        return bad();
    std::wstring rest;
    if (StartsWithNoCase(wide, L"LDAP://")) {
        rest = wide.substr(7);
    } else if (StartsWithNoCase(wide, L"LDAPS://")) {
        source.ldaps = true;
        rest = wide.substr(8);
    } else {
        return bad();
    }
    const size_t slash = rest.find(L'/');
    std::wstring hostPort = rest.substr(0, slash);
    source.baseDn = slash == std::wstring::npos ? std::wstring() : rest.substr(slash + 1);
    // "[::1]:389": an IPv6 address in brackets; otherwise the last colon starts the port.
    size_t colon = std::wstring::npos;
    if (!hostPort.empty() && hostPort[0] == L'[') {
        const size_t close = hostPort.find(L']');
        if (close == std::wstring::npos)
            return bad();
        source.server = hostPort.substr(1, close - 1);
        if (close + 1 < hostPort.size()) {
            if (hostPort[close + 1] != L':')
                return bad();
            colon = close + 1;
        }
    } else {
        colon = hostPort.find(L':');
        source.server = hostPort.substr(0, colon);
    }
    if (colon != std::wstring::npos && !ReadPort(hostPort.substr(colon + 1), source.port))
        return bad();
    if (source.server.empty() || source.server.find_first_of(L" \\/@") != std::wstring::npos)
        return bad();
    return true;
}

unsigned long long FileTimeDaysBefore(unsigned long long now, int days)
{
    const unsigned long long span = static_cast<unsigned long long>(days) * kFileTimeUnitsPerDay;
    return span < now ? now - span : 0;
}

std::wstring ComputerFilter(const DirectorySource& source, unsigned long long activeSince)
{
    std::wstring filter = std::wstring(L"(&") + kEnabledComputers;
    if (!source.osPattern.empty())
        filter += L"(operatingSystem=" + EscapedPattern(source.osPattern) + L")";
    if (activeSince != 0) {
        const std::wstring since = std::to_wstring(activeSince);
        filter += L"(|(lastLogonTimestamp>=" + since + L")(&(!(lastLogonTimestamp=*))(pwdLastSet>=" + since + L")))";
    }
    return filter + L")";
}

std::wstring FilterHalf(const std::wstring& filter, int half)
{
    return L"(&" + filter + (half == 0 ? std::wstring(kFirstHalf) : L"(!" + std::wstring(kFirstHalf) + L")") + L")";
}

std::string FileTimeText(const std::wstring& value, const TIME_ZONE_INFORMATION* zone)
{
    if (value.empty() || value.size() > 19 ||
        !std::all_of(value.begin(), value.end(), [](wchar_t digit) { return digit >= L'0' && digit <= L'9'; }))
        return {};
    const unsigned long long units = std::stoull(value);
    if (units == 0 || units >= 0x7FFFFFFFFFFFFFFFULL)
        return {};
    FILETIME fileTime{static_cast<DWORD>(units & 0xFFFFFFFF), static_cast<DWORD>(units >> 32)};
    SYSTEMTIME utc{};
    if (!FileTimeToSystemTime(&fileTime, &utc))
        return {};
    if (!zone)
        return IsoLocalTime(utc);
    SYSTEMTIME local{};
    if (!SystemTimeToTzSpecificLocalTime(zone, &utc, &local))
        return IsoLocalTime(utc);
    FILETIME localTime{}, utcTime{};
    SystemTimeToFileTime(&local, &localTime);
    SystemTimeToFileTime(&utc, &utcTime);
    const auto ticks = [](const FILETIME& time) {
        return static_cast<long long>(static_cast<unsigned long long>(time.dwHighDateTime) << 32 | time.dwLowDateTime);
    };
    const long long minutes = (ticks(localTime) - ticks(utcTime)) / 600000000LL;
    const long long offset = minutes < 0 ? -minutes : minutes;
    return FormatText("%04u-%02u-%02uT%02u:%02u:%02u%c%02lld:%02lld", local.wYear, local.wMonth, local.wDay,
                      local.wHour, local.wMinute, local.wSecond, minutes < 0 ? '-' : '+', offset / 60, offset % 60);
}
