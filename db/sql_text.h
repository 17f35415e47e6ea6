// Reading a statement's text as SQL reads it, without a database: comments, quoted texts
// and identifiers passed over, so that a ";" or a keyword inside them counts for nothing.
#pragma once
#include <string>
#include <string_view>

// The number of statements the text holds (a ";" ends one; empty statements and a last
// ";" do not count).
int CountStatements(std::string_view sql);

// The first word of the first statement, upper case ("SELECT", "WITH", "DELETE"...).
std::string FirstKeyword(std::string_view sql);
