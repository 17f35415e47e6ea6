#include "db/database.h"

#include "db/sql_text.h"

bool Database::IsOneReadingStatement(std::string_view sql, DbError& error) const
{
    const DbDialect dialect = Dialect();
    const int statements = CountStatements(sql, dialect);
    if (statements != 1) {
        error = {DbFailure::Syntax, 0, statements == 0 ? "no statement" : "more than one statement"};
        return false;
    }
    const std::string keyword = FirstKeyword(sql, dialect);
    if (keyword != "SELECT" && keyword != "WITH" && keyword != "VALUES" && keyword != "TABLE") {
        error = {DbFailure::ReadOnly, 0, keyword + " does more than read"};
        return false;
    }
    return true;
}
