// The store's database on a server (PostgreSQL) reached through the Windows ODBC API
// (odbc32.dll, loaded from the system folder only, wide functions), so that no client
// library of the server is linked into the program.
#pragma once
#include <memory>
#include <string>

#include "db/database.h"

// Connects with `connection` (an ODBC connection string: "Driver={PostgreSQL Unicode};
// Server=...;Port=...;Database=...;Uid=...;Pwd=...", or "DSN=..."); waits at most
// `timeoutSeconds` for the server. Null with `error` set (its message never holds the
// password) when no connection could be made.
std::unique_ptr<Database> OpenOdbcDatabase(const std::string& connection, unsigned timeoutSeconds, DbError& error);
