#include "store/store_statements.h"

namespace {

constexpr StoreStatements kSqlite = {
    .countInfoTable = "SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name = 'store_info'",
    .countTables = "SELECT count(*) FROM sqlite_master WHERE type IN ('table', 'view') AND name NOT LIKE 'sqlite\\_%' ESCAPE '\\'",
    .lockSchema = "",
    .lockComputer = "",
};

constexpr StoreStatements kPostgres = {
    .countInfoTable = "SELECT count(*) FROM information_schema.tables"
                      " WHERE table_schema = current_schema() AND table_name = 'store_info'",
    .countTables = "SELECT count(*) FROM information_schema.tables WHERE table_schema = current_schema()",
    .lockSchema = "SELECT pg_advisory_xact_lock(1296650834)",
    .lockComputer = "SELECT id FROM store_computers WHERE id = ? FOR UPDATE",
};

}  // namespace

const StoreStatements& StatementsFor(DbDialect dialect)
{
    return dialect == DbDialect::Sqlite ? kSqlite : kPostgres;
}
