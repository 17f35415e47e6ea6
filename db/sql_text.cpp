#include "db/sql_text.h"

#include <cctype>

namespace {

// Walks the text, handing `visit` each character that stands outside comments, quoted
// texts ('...', "...", and PostgreSQL's $tag$...$tag$) and quoted identifiers; comments and
// quoted parts reach it as one space.
template <class Visit>
void WalkSql(std::string_view sql, Visit visit)
{
    for (size_t i = 0; i < sql.size(); ++i) {
        const char c = sql[i];
        const char next = i + 1 < sql.size() ? sql[i + 1] : '\0';
        if (c == '-' && next == '-') {
            i = sql.find('\n', i);
            if (i == std::string_view::npos)
                return;
            visit(' ');
        } else if (c == '/' && next == '*') {
            i = sql.find("*/", i + 2);
            if (i == std::string_view::npos)
                return;
            ++i;
            visit(' ');
        } else if (c == '\'' || c == '"' || c == '`' || c == '[') {
            const char close = c == '[' ? ']' : c;
            i = sql.find(close, i + 1);   // a doubled quote reads as two quoted parts: the same
            if (i == std::string_view::npos)
                return;
            visit(' ');
        } else if (c == '$' && (i == 0 || !std::isalnum(static_cast<unsigned char>(sql[i - 1])))) {
            const size_t tagEnd = sql.find('$', i + 1);
            const std::string_view tag = tagEnd == std::string_view::npos ? std::string_view() : sql.substr(i, tagEnd - i + 1);
            bool isTag = !tag.empty();
            for (size_t t = 1; isTag && t + 1 < tag.size(); ++t)
                isTag = std::isalnum(static_cast<unsigned char>(tag[t])) || tag[t] == '_';
            if (!isTag || std::isdigit(static_cast<unsigned char>(next))) {
                visit(c);   // a parameter such as $1, not a quote
                continue;
            }
            i = sql.find(tag, tagEnd + 1);
            if (i == std::string_view::npos)
                return;
            i += tag.size() - 1;
            visit(' ');
        } else {
            visit(c);
        }
    }
}

}  // namespace

int CountStatements(std::string_view sql)
{
    int count = 0;
    bool content = false;
    WalkSql(sql, [&](char c) {
        if (c == ';') {
            count += content;
            content = false;
        } else if (!std::isspace(static_cast<unsigned char>(c))) {
            content = true;
        }
    });
    return count + content;
}

std::string FirstKeyword(std::string_view sql)
{
    std::string word;
    bool done = false;
    WalkSql(sql, [&](char c) {
        if (done)
            return;
        if (std::isalpha(static_cast<unsigned char>(c)))
            word += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        else if (!word.empty() || (!std::isspace(static_cast<unsigned char>(c)) && c != '('))
            done = true;
    });
    return word;
}
