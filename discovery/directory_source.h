// Where a directory source reads and what it keeps: the server and subtree of
// "LDAP://server[:port]/base-DN" (or LDAPS://), the filters of /active: and /os:, and the
// LDAP filter they make together with the rule for enabled computer accounts.
#pragma once
#include <windows.h>

#include <string>

#include "engine/credentials.h"

inline constexpr ULONG kLdapPort = 389;
inline constexpr ULONG kLdapsPort = 636;
inline constexpr int kMaxActiveDays = 36500;

struct DirectorySource {
    std::wstring server;     // empty: the domain controller of this computer's domain
    ULONG port = 0;          // 0: the scheme's default
    bool ldaps = false;      // LDAPS://: TLS from the first byte
    std::wstring baseDn;     // empty: the server's default naming context
    int activeDays = 0;      // 0: every enabled account
    std::wstring osPattern;  // wildcard pattern of operatingSystem ("*Server*"); empty: any
    Credentials credentials; // empty: the current user's (Negotiate)

    ULONG Port() const { return port != 0 ? port : ldaps ? kLdapsPort : kLdapPort; }
    // "LDAP://server:port/base" as the messages show it.
    std::string Text() const;
};

// Reads the value of /directory: ("LDAP://server[:port][/base-DN]", the scheme in any case,
// "LDAPS://" for TLS from the start). False with a one-line reason for anything else: a
// missing server, a port outside 1..65535, a control character.
bool ParseDirectoryAddress(const std::string& text, DirectorySource& source, std::string& reason);

// The time in FILETIME units (100 ns since 1601, UTC) `days` before `now`.
unsigned long long FileTimeDaysBefore(unsigned long long now, int days);

// The LDAP filter of the enabled computer accounts that pass the source's filters: Active
// Directory's bitwise rule on userAccountControl, the operating system's pattern (every
// character but "*" escaped as RFC 4515 asks) and the last logon (lastLogonTimestamp, or
// pwdLastSet where the account has none) at or after `activeSince` (FILETIME units; 0: no
// limit).
std::wstring ComputerFilter(const DirectorySource& source, unsigned long long activeSince);

// One of two halves of `filter` that together find exactly what it finds, each account in
// one of them: half 0 keeps the accounts whose cn ends in an even digit or in every other
// letter (a, c, e ... y, in any case), half 1 all the others. A final-substring match on cn
// is true or false for every entry (cn has substring matching in every directory's
// schema), so no account falls between the halves.
std::wstring FilterHalf(const std::wstring& filter, int half);

// An integer attribute in FILETIME units as ISO 8601 local time in `zone` (null: the
// system's, looked up anew, which costs milliseconds under Wine); empty for 0, "never"
// (0x7FFFFFFFFFFFFFFF) and text that is no number.
std::string FileTimeText(const std::wstring& value, const TIME_ZONE_INFORMATION* zone = nullptr);
