// Where the inventory store is: a SQLite file (by default %LOCALAPPDATA%\Mirel\inventory.db)
// or a PostgreSQL database reached through ODBC ("odbc:" and a connection string).
#pragma once
#include <windows.h>

#include <string>
#include <vector>

// Overwrites the text's memory (its whole buffer) with zeros and empties it.
inline void WipeText(std::string& text)
{
    SecureZeroMemory(text.data(), text.capacity());
    text.clear();
}

struct StoreLocation {
    enum class Kind { File, Odbc };
    Kind kind = Kind::File;
    std::string path;         // File: the file, UTF-8
    std::string connection;   // Odbc: the connection string as given (it may hold a password)

    // The connection string may hold a password: its memory is wiped when it goes.
    StoreLocation() = default;
    StoreLocation(const StoreLocation&) = default;
    StoreLocation& operator=(const StoreLocation& other)
    {
        if (this != &other) {
            WipeText(connection);
            kind = other.kind;
            path = other.path;
            connection = other.connection;
        }
        return *this;
    }
    StoreLocation(StoreLocation&& other) noexcept
        : kind(other.kind), path(std::move(other.path)), connection(other.connection)
    {
        WipeText(other.connection);
    }
    StoreLocation& operator=(StoreLocation&& other) noexcept
    {
        if (this != &other) {
            *this = static_cast<const StoreLocation&>(other);
            WipeText(other.connection);
        }
        return *this;
    }
    ~StoreLocation() { WipeText(connection); }
};

// One "name=value" attribute of an ODBC connection string, as the driver reads it: a value
// in braces may hold ";" and "=", and "}}" stands for "}" there.
struct ConnectionAttribute {
    std::string name;           // trimmed
    std::string value;          // braces taken off, "}}" read as "}"; trimmed when not braced
    bool hasValue = true;       // false for a part without "="
    bool braced = false;
    bool closed = false;        // braced, and its closing brace found
    size_t begin = 0, end = 0;  // the part's place in the text, without its ";"
};
std::vector<ConnectionAttribute> ReadConnectionAttributes(const std::string& connection);

// %LOCALAPPDATA%\Mirel\inventory.db; empty when the folder is unknown.
// True for a file on a network drive (a mapped drive letter) or share (a UNC path).
bool IsOnNetworkDrive(const std::string& path);

std::string DefaultStorePath();

// What /store: (or the window's Options) names: empty for the default file, "odbc:..."
// for a server database, anything else a file. False for "odbc:" without a connection.
bool ParseStoreLocation(const std::string& text, StoreLocation& location);

// The location for messages and settings: the file's path, or "odbc:" and the connection
// string without its password (PWD=... and Password=... left out).
std::string DescribeStoreLocation(const StoreLocation& location);

// The connection string without its password: the password attribute, and when it is not
// in braces everything after it up to the next attribute the driver reads.
std::string WithoutPassword(const std::string& connection);
// The password of a connection string as the driver reads it (braces taken off, "}}" as
// "}"); empty without one.
std::string PasswordOf(const std::string& connection);
// The value of the attribute `name` (case ignored, as the driver reads it); empty without one.
std::string ConnectionValue(const std::string& connection, const std::string& name);
