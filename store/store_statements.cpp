#include "store/store_statements.h"

namespace {

constexpr StoreStatements kSqlite = {
    .countInfoTable = "SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name = 'store_info'",
    .countTables = "SELECT count(*) FROM sqlite_master WHERE type IN ('table', 'view') AND name NOT LIKE 'sqlite\\_%' ESCAPE '\\'",
    .lockSchema = "",
    .lockComputer = "",
    .highestCheckNumber = "SELECT COALESCE((SELECT seq FROM sqlite_sequence WHERE name = 'store_checks'), 0)",
    .claimCheckNumber = "",
};

constexpr StoreStatements kPostgres = {
    .countInfoTable = "SELECT count(*) FROM information_schema.tables"
                      " WHERE table_schema = current_schema() AND table_name = 'store_info'",
    .countTables = "SELECT count(*) FROM information_schema.tables WHERE table_schema = current_schema()",
    .lockSchema = "SELECT pg_advisory_xact_lock(1296650834)",
    .lockComputer = "SELECT id FROM store_computers WHERE id = ? FOR UPDATE",
    .highestCheckNumber =
        "SELECT COALESCE(pg_sequence_last_value(pg_get_serial_sequence('store_checks', 'id')::regclass), 0)",
    .claimCheckNumber = "SELECT setval(pg_get_serial_sequence('store_checks', 'id'), ?)",
};

}  // namespace

const StoreStatements& StatementsFor(DbDialect dialect)
{
    return dialect == DbDialect::Sqlite ? kSqlite : kPostgres;
}
