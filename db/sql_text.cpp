#include "db/sql_text.h"

#include <cctype>

namespace {

bool IsIdentifierStart(char c)
{
    return std::isalpha(static_cast<unsigned char>(c)) || c == '_' || static_cast<unsigned char>(c) >= 0x80;
}

// A character that continues a word: PostgreSQL lets "$" continue one too.
bool IsWordCharacter(char c)
{
    return IsIdentifierStart(c) || std::isdigit(static_cast<unsigned char>(c)) || c == '$';
}

// The end of a quoted part that starts at `open` (its quote character): the index of its
// closing quote, or npos when it runs to the end. A doubled quote stays inside; with
// `backslash`, so does a quote after a backslash (PostgreSQL's E'...').
size_t QuotedEnd(std::string_view sql, size_t open, char close, bool backslash)
{
    for (size_t i = open + 1; i < sql.size(); ++i) {
        if (backslash && sql[i] == '\\') {
            ++i;
        } else if (sql[i] == close) {
            if (close != ']' && i + 1 < sql.size() && sql[i + 1] == close)
                ++i;
            else
                return i;
        }
    }
    return std::string_view::npos;
}

// The end of a comment "/*" at `open`: the index of the "/" that closes it, or npos.
// PostgreSQL's comments nest; SQLite's end at the first "*/".
size_t CommentEnd(std::string_view sql, size_t open, bool nested)
{
    int depth = 1;
    for (size_t i = open + 2; i + 1 < sql.size(); ++i) {
        if (nested && sql[i] == '/' && sql[i + 1] == '*') {
            ++depth;
            ++i;
        } else if (sql[i] == '*' && sql[i + 1] == '/') {
            if (--depth == 0)
                return i + 1;
            ++i;
        }
    }
    return std::string_view::npos;
}

// The length of a dollar quote's tag at `at` ("$$", "$tag$"), 0 when none starts there.
size_t DollarTag(std::string_view sql, size_t at)
{
    size_t i = at + 1;
    if (i < sql.size() && sql[i] != '$' && !IsIdentifierStart(sql[i]))
        return 0;   // $1 is a parameter
    while (i < sql.size() && sql[i] != '$') {
        if (!IsIdentifierStart(sql[i]) && !std::isdigit(static_cast<unsigned char>(sql[i])))
            return 0;
        ++i;
    }
    return i < sql.size() ? i - at + 1 : 0;
}

// Walks the text as `dialect` reads it, handing `visit` each character that stands outside
// comments, quoted texts and quoted identifiers; each of those reaches it as one space. A
// quote or comment left open hides the rest of the text.
template <class Visit>
void WalkSql(std::string_view sql, DbDialect dialect, Visit visit)
{
    const bool postgres = dialect == DbDialect::Postgres;
    for (size_t i = 0; i < sql.size(); ++i) {
        const char c = sql[i];
        const char next = i + 1 < sql.size() ? sql[i + 1] : '\0';
        const bool wordBefore = i > 0 && IsWordCharacter(sql[i - 1]);
        size_t end = std::string_view::npos;
        if (c == '-' && next == '-') {
            end = sql.find('\n', i);
        } else if (c == '/' && next == '*') {
            end = CommentEnd(sql, i, postgres);
        } else if (c == '\'') {
            // E'...' (alone, not the end of a longer word) takes backslash escapes.
            const bool escapes = postgres && i > 0 && (sql[i - 1] == 'E' || sql[i - 1] == 'e') &&
                                 !(i > 1 && IsWordCharacter(sql[i - 2]));
            end = QuotedEnd(sql, i, '\'', escapes);
        } else if (c == '"' || (!postgres && (c == '`' || c == '['))) {
            end = QuotedEnd(sql, i, c == '[' ? ']' : c, false);
        } else if (postgres && c == '$' && !wordBefore) {
            const size_t tag = DollarTag(sql, i);
            if (tag == 0) {
                visit(c);
                continue;
            }
            end = sql.find(sql.substr(i, tag), i + tag);
            if (end != std::string_view::npos)
                end += tag - 1;
        } else {
            visit(c);
            continue;
        }
        if (end == std::string_view::npos)
            return;
        i = end;
        visit(' ');
    }
}

}  // namespace

int CountStatements(std::string_view sql, DbDialect dialect)
{
    int count = 0;
    bool content = false;
    WalkSql(sql, dialect, [&](char c) {
        if (c == ';') {
            count += content;
            content = false;
        } else if (!std::isspace(static_cast<unsigned char>(c))) {
            content = true;
        }
    });
    return count + content;
}

std::string FirstKeyword(std::string_view sql, DbDialect dialect)
{
    std::string word;
    bool done = false;
    WalkSql(sql, dialect, [&](char c) {
        if (done)
            return;
        if (std::isalpha(static_cast<unsigned char>(c)))
            word += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        else if (!word.empty() || (!std::isspace(static_cast<unsigned char>(c)) && c != '('))
            done = true;
    });
    return word;
}
