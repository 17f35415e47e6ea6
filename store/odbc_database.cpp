#include "store/odbc_database.h"

std::unique_ptr<Database> OpenOdbcDatabase(const std::string&, unsigned, DbError& error)
{
    error = {DbFailure::Connection, 0, "ODBC is not available in this build"};
    return nullptr;
}
