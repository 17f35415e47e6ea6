// Where the inventory store is: a SQLite file (by default %LOCALAPPDATA%\Mirel\inventory.db)
// or a PostgreSQL database reached through ODBC ("odbc:" and a connection string).
#pragma once
#include <string>

struct StoreLocation {
    enum class Kind { File, Odbc };
    Kind kind = Kind::File;
    std::string path;         // File: the file, UTF-8
    std::string connection;   // Odbc: the connection string as given (it may hold a password)
};

// %LOCALAPPDATA%\Mirel\inventory.db; empty when the folder is unknown.
std::string DefaultStorePath();

// What /store: (or the window's Options) names: empty for the default file, "odbc:..."
// for a server database, anything else a file. False for "odbc:" without a connection.
bool ParseStoreLocation(const std::string& text, StoreLocation& location);

// The location for messages and settings: the file's path, or "odbc:" and the connection
// string without its password (PWD=... and Password=... left out).
std::string DescribeStoreLocation(const StoreLocation& location);

// The connection string without its password.
std::string WithoutPassword(const std::string& connection);
// The password of a connection string (its value, braces taken off); empty without one.
std::string PasswordOf(const std::string& connection);
// The value of the attribute `name` (case ignored, trimmed); empty without one.
std::string ConnectionValue(const std::string& connection, const std::string& name);
