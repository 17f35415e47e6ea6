// Many rows in few statements: INSERTs of many rows and lookups of many digests at once. A
// server answers every statement over the network, so a statement per row would cost a
// round trip per row; a file is quicker this way too. Each statement holds a power of two
// of rows (at most kBatchRows), so that few statement texts are prepared and kept.
#pragma once
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <variant>
#include <vector>

#include "db/statement_cache.h"

inline constexpr size_t kBatchRows = 64;

using DbValue = std::variant<std::monostate, int64_t, double, std::string>;   // monostate: NULL

class RowBatch {
public:
    // `head`: "INSERT INTO t (a, b, c)" for rows of `columns` values; `tail`: what follows
    // the values (" ON CONFLICT ... RETURNING ...").
    RowBatch(StatementCache& statements, std::string head, size_t columns, std::string tail = {})
        : statements_(statements), head_(std::move(head)), tail_(std::move(tail)), columns_(columns)
    {
    }
    void Add(std::vector<DbValue> row) { rows_.push_back(std::move(row)); }

    // Inserts the rows added (then forgets them); `returned` takes each row the statements
    // return. False on failure (the database's LastError tells why).
    bool Run(const std::function<void(DbStatement& row)>& returned = {});

private:
    StatementCache& statements_;
    std::string head_, tail_;
    size_t columns_;
    std::vector<std::vector<DbValue>> rows_;
};

// Adds to `ids` the id of each row of `table` whose digest is one of `digests`.
bool IdsOfDigests(StatementCache& statements, const char* table, const std::vector<std::string>& digests,
                  std::map<std::string, int64_t>& ids);

// Rows keyed by their digest (the first value), in digest order: two writers of a server
// database then never wait for each other in a circle.
using DigestRows = std::map<std::string, std::vector<DbValue>>;

// Inserts those of `rows` that `ids` lacks into `table` (`head` names its columns) and adds
// their ids; `inserted` gets the digests this writer inserted, whose rows of other tables it
// writes. A row another writer inserted meanwhile is looked up.
bool InsertMissing(StatementCache& statements, const char* table, const std::string& head, const DigestRows& rows,
                   std::map<std::string, int64_t>& ids, std::vector<std::string>& inserted);

// The digests of `rows`.
std::vector<std::string> Keys(const DigestRows& rows);
