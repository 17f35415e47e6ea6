#include "db/store_location.h"

#include <windows.h>
#include <shlobj.h>

#include "base/narrow.h"
#include "base/text_util.h"

namespace {

constexpr char kOdbcPrefix[] = "odbc:";

// The attribute name of one "name=value" part of a connection string, trimmed.
std::string AttributeName(const std::string& part)
{
    return TrimWhiteSpace(part.substr(0, part.find('=')));
}

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

bool IsPassword(const std::string& part)
{
    const std::string name = AttributeName(part);
    return EqualsNoCase(name, "PWD") || EqualsNoCase(name, "Password");
}

// Calls `take` with each "name=value" part of a connection string: parts are separated by
// ";", and a value in braces may hold one itself.
template <class Take>
void ForEachAttribute(const std::string& connection, Take take)
{
    std::string part;
    int braces = 0;
    for (char character : connection) {
        if (character == '{')
            ++braces;
        else if (character == '}' && braces > 0)
            --braces;
        if (character == ';' && braces == 0) {
            take(part);
            part.clear();
        } else {
            part += character;
        }
    }
    take(part);
}

}  // namespace

std::string WithoutPassword(const std::string& connection)
{
    std::string kept;
    ForEachAttribute(connection, [&](const std::string& part) {
        // A part without "=" is no attribute: the rest of a password that held a ";".
        if (part.find('=') == std::string::npos || IsPassword(part))
            return;
        if (!kept.empty())
            kept += ';';
        kept += part;
    });
    return kept;
}

std::string PasswordOf(const std::string& connection)
{
    std::string password;
    bool inPassword = false;
    ForEachAttribute(connection, [&](const std::string& part) {
        if (part.find('=') == std::string::npos) {
            if (inPassword)   // the rest of a password that held a ";"
                password += ";" + part;
            return;
        }
        inPassword = IsPassword(part);
        if (inPassword)
            password = part.substr(part.find('=') + 1);
    });
    password = TrimWhiteSpace(password);
    if (password.size() >= 2 && password.front() == '{' && password.back() == '}')
        password = password.substr(1, password.size() - 2);
    return password;
}

std::string ConnectionValue(const std::string& connection, const std::string& name)
{
    std::string value;
    ForEachAttribute(connection, [&](const std::string& part) {
        if (part.find('=') != std::string::npos && EqualsNoCase(AttributeName(part), name))
            value = TrimWhiteSpace(part.substr(part.find('=') + 1));
    });
    return value;
}

std::string DescribeStoreLocation(const StoreLocation& location)
{
    return location.kind == StoreLocation::Kind::File ? location.path : kOdbcPrefix + WithoutPassword(location.connection);
}
