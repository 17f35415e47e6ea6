// Statements prepared once and reset for each use, for the many rows of one check.
#pragma once
#include <memory>
#include <string>
#include <unordered_map>

#include "store/database.h"

class StatementCache {
public:
    explicit StatementCache(Database& database) : database_(database) {}

    // The statement of `sql`, reset and ready to bind; null when it cannot be prepared
    // (the database's LastError tells why).
    DbStatement* Get(const std::string& sql)
    {
        auto found = statements_.find(sql);
        if (found == statements_.end()) {
            std::unique_ptr<DbStatement> statement = database_.Prepare(sql);
            if (!statement)
                return nullptr;
            found = statements_.emplace(sql, std::move(statement)).first;
        }
        found->second->Reset();
        return found->second.get();
    }

    Database& Db() { return database_; }

private:
    Database& database_;
    std::unordered_map<std::string, std::unique_ptr<DbStatement>> statements_;
};
