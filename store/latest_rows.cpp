#include "store/latest_rows.h"

#include <string>

#include "store/store_statements.h"
#include "store/view_data.h"

bool KeepLatestRows(StatementCache& statements, int64_t computerId)
{
    for (const KeptTable& table : KeptTables()) {
        StatementLease remove = statements.Get(std::string("DELETE FROM ") + table.table + " WHERE computer_id = ?");
        if (!remove)
            return false;
        remove->BindInt(1, computerId);
        if (remove->Step() != DbStep::Done)
            return false;
        StatementLease fill = statements.Get(ForDialect(table.fillOne, statements.Db().Dialect()));
        if (!fill)
            return false;
        for (int parameter = 1; parameter <= table.computerParameters; ++parameter)
            fill->BindInt(parameter, computerId);
        if (fill->Step() != DbStep::Done)
            return false;
    }
    return true;
}

bool KeepAllLatestRows(Database& database)
{
    for (const KeptTable& table : KeptTables()) {
        if (!database.Execute(std::string("DELETE FROM ") + table.table) || !database.Execute(ForDialect(table.fillAll, database.Dialect())))
            return false;
    }
    return true;
}
