// Reading a statement's text as SQL reads it, without a database: comments, quoted texts
// and identifiers passed over as the database of that dialect passes them over, so that a
// ";" or a keyword inside them counts for nothing. Only a first check: the database itself
// then parses the text (as one statement) and refuses what does more than read.
#pragma once
#include <string>
#include <string_view>

#include "db/database.h"

// The number of statements the text holds (a ";" ends one; empty statements and a last
// ";" do not count).
int CountStatements(std::string_view sql, DbDialect dialect);

// The first word of the first statement, upper case ("SELECT", "WITH", "DELETE"...).
std::string FirstKeyword(std::string_view sql, DbDialect dialect);
