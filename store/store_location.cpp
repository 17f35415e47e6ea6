#include "store/store_location.h"

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

std::string WithoutPassword(const std::string& connection)
{
    // Attributes are separated by ";"; a value in braces may hold one itself.
    std::string kept, part;
    int braces = 0;
    auto flush = [&] {
        // A part without "=" is no attribute: the rest of a password that held a ";".
        const std::string name = AttributeName(part);
        if (part.find('=') != std::string::npos && !EqualsNoCase(name, "PWD") && !EqualsNoCase(name, "Password")) {
            if (!kept.empty())
                kept += ';';
            kept += part;
        }
        part.clear();
    };
    for (char character : connection) {
        if (character == '{')
            ++braces;
        else if (character == '}' && braces > 0)
            --braces;
        if (character == ';' && braces == 0)
            flush();
        else
            part += character;
    }
    flush();
    return kept;
}

std::string DescribeStoreLocation(const StoreLocation& location)
{
    return location.kind == StoreLocation::Kind::File ? location.path : kOdbcPrefix + WithoutPassword(location.connection);
}
