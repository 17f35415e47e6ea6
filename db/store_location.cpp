#include "db/store_location.h"

#include <windows.h>
#include <shlobj.h>

#include "base/narrow.h"
#include "base/text_util.h"

namespace {

constexpr char kOdbcPrefix[] = "odbc:";

}  // namespace

std::string DefaultStorePath()
{
    PWSTR folder = nullptr;
    std::string path;
    if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_LocalAppData, KF_FLAG_DEFAULT, nullptr, &folder)) && folder)
        path = ToNarrow(folder) + "\\Mirel\\inventory.db";
    CoTaskMemFree(folder);
    return path;
}

bool IsOnNetworkDrive(const std::string& path)
{
    std::wstring full(MAX_PATH, L'\0');
    const std::wstring given = ToWide(path);
    DWORD length = GetFullPathNameW(given.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    if (length >= full.size()) {
        full.resize(length);
        length = GetFullPathNameW(given.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    }
    full.resize(length < full.size() ? length : 0);
    if (full.empty())
        full = given;
    const auto startsWith = [&full](const wchar_t* prefix) { return full.rfind(prefix, 0) == 0; };
    if (startsWith(L"\\\\?\\UNC\\"))
        return true;
    if (startsWith(L"\\\\?\\") || startsWith(L"\\\\.\\"))
        full.erase(0, 4);
    else if (startsWith(L"\\\\"))
        return true;   // \\server\share
    if (full.size() < 2 || full[1] != L':')
        return false;
    const wchar_t root[] = {full[0], L':', L'\\', L'\0'};
    return GetDriveTypeW(root) == DRIVE_REMOTE;
}

bool ParseStoreLocation(const std::string& text, StoreLocation& location)
{
    location = StoreLocation{};
    if (text.size() >= sizeof kOdbcPrefix - 1 && EqualsNoCase(text.substr(0, sizeof kOdbcPrefix - 1), kOdbcPrefix)) {
        location.kind = StoreLocation::Kind::Odbc;
        location.connection = text.substr(sizeof kOdbcPrefix - 1);
        return !TrimWhiteSpace(location.connection).empty();
    }
    location.path = text.empty() ? DefaultStorePath() : text;
    return !location.path.empty();
}

namespace {

bool IsPassword(const std::string& name)
{
    return EqualsNoCase(name, "PWD") || EqualsNoCase(name, "Password");
}

// The attributes the driver manager and the PostgreSQL driver read. After a password
// written without braces, what follows up to the next of these is taken as more of the
// password (a ";" typed in it), never shown.
constexpr const char* kDriverKeywords[] = {
    "DSN", "Driver", "FileDSN", "SaveFile", "Server", "Servername", "Port", "Database", "UID", "Username",
    "PWD", "Password", "SSLmode", "ReadOnly", "Protocol", "ConnSettings", "pqopt", "Fetch", "UseDeclareFetch",
    "UseServerSidePrepare", "BoolsAsChar", "TextAsLongVarchar", "UnknownsAsLongVarchar", "MaxVarcharSize",
    "MaxLongVarcharSize", "ByteaAsLongVarBinary", "LowerCaseIdentifier", "Parse", "UpdatableCursors",
    "KeepaliveTime", "KeepaliveInterval", "BatchSize", "Timeout", "Debug", "CommLog"};

bool IsDriverKeyword(const std::string& name)
{
    for (const char* keyword : kDriverKeywords)
        if (EqualsNoCase(name, keyword))
            return true;
    return false;
}

}  // namespace

std::vector<ConnectionAttribute> ReadConnectionAttributes(const std::string& connection)
{
    std::vector<ConnectionAttribute> attributes;
    size_t at = 0;
    while (at < connection.size()) {
        if (connection[at] == ';') {
            ++at;
            continue;
        }
        ConnectionAttribute attribute;
        attribute.begin = at;
        const size_t equals = connection.find_first_of("=;", at);
        if (equals == std::string::npos || connection[equals] == ';') {
            // No "=": no attribute (the rest of a password that held a ";", say).
            attribute.end = equals == std::string::npos ? connection.size() : equals;
            attribute.name = TrimWhiteSpace(connection.substr(at, attribute.end - at));
            attribute.hasValue = false;
            at = attribute.end;
            attributes.push_back(std::move(attribute));
            continue;
        }
        attribute.name = TrimWhiteSpace(connection.substr(at, equals - at));
        size_t value = equals + 1;
        while (value < connection.size() && connection[value] == ' ')
            ++value;
        size_t end = value;
        if (value < connection.size() && connection[value] == '{') {
            // In braces, "}}" is one "}" and a single "}" ends the value; without its end
            // the value is the rest of the text.
            attribute.braced = true;
            for (end = value + 1; end < connection.size(); ++end) {
                if (connection[end] != '}') {
                    attribute.value += connection[end];
                } else if (end + 1 < connection.size() && connection[end + 1] == '}') {
                    attribute.value += '}';
                    ++end;
                } else {
                    attribute.closed = true;
                    break;
                }
            }
            end = connection.find(';', end);
            if (end == std::string::npos)
                end = connection.size();
        } else {
            end = connection.find(';', value);
            if (end == std::string::npos)
                end = connection.size();
            attribute.value = TrimWhiteSpace(connection.substr(value, end - value));
        }
        attribute.end = end;
        attributes.push_back(std::move(attribute));
        at = end;
    }
    return attributes;
}

namespace {

// Calls `take` with each attribute that is no part of a password.
template <class Take>
void ForEachNonSecret(const std::vector<ConnectionAttribute>& attributes, Take take)
{
    bool inPassword = false;
    for (const ConnectionAttribute& attribute : attributes) {
        if (IsPassword(attribute.name) && attribute.hasValue) {
            // A braced password ends with its brace; any other runs on to what the driver
            // itself would read next.
            inPassword = !attribute.braced || !attribute.closed;
            continue;
        }
        if (inPassword && attribute.hasValue && IsDriverKeyword(attribute.name))
            inPassword = false;
        if (!inPassword && attribute.hasValue)
            take(attribute);
    }
}

}  // namespace

std::string WithoutPassword(const std::string& connection)
{
    std::string kept;
    ForEachNonSecret(ReadConnectionAttributes(connection), [&](const ConnectionAttribute& attribute) {
        if (!kept.empty())
            kept += ';';
        kept += connection.substr(attribute.begin, attribute.end - attribute.begin);
    });
    return kept;
}

std::string PasswordOf(const std::string& connection)
{
    std::string password;
    for (ConnectionAttribute& attribute : ReadConnectionAttributes(connection)) {
        if (attribute.hasValue && IsPassword(attribute.name)) {
            WipeText(password);
            password = std::move(attribute.value);
        }
        WipeText(attribute.value);
    }
    return password;
}

std::string ConnectionValue(const std::string& connection, const std::string& name)
{
    std::string value;
    ForEachNonSecret(ReadConnectionAttributes(connection), [&](const ConnectionAttribute& attribute) {
        if (EqualsNoCase(attribute.name, name))
            value = attribute.value;
    });
    return value;
}

std::string DescribeStoreLocation(const StoreLocation& location)
{
    return location.kind == StoreLocation::Kind::File ? location.path : kOdbcPrefix + WithoutPassword(location.connection);
}
