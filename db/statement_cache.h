// Statements prepared once and reset for each use, for the many rows of one check. A
// statement is lent for one use and reset when the loan ends, so that no half-read result
// keeps a read transaction open (which would hold back what other writers committed, and
// lock tables against schema changes).
#pragma once
#include <memory>
#include <string>
#include <unordered_map>

#include "db/database.h"

class StatementLease {
public:
    explicit StatementLease(DbStatement* statement = nullptr) : statement_(statement) {}
    StatementLease(StatementLease&& other) noexcept : statement_(other.statement_) { other.statement_ = nullptr; }
    StatementLease& operator=(StatementLease&& other) noexcept
    {
        std::swap(statement_, other.statement_);
        return *this;
    }
    StatementLease(const StatementLease&) = delete;
    StatementLease& operator=(const StatementLease&) = delete;
    ~StatementLease()
    {
        if (statement_)
            statement_->Reset();
    }

    DbStatement* operator->() const { return statement_; }
    DbStatement& operator*() const { return *statement_; }
    DbStatement* Get() const { return statement_; }
    explicit operator bool() const { return statement_ != nullptr; }

private:
    DbStatement* statement_;
};

class StatementCache {
public:
    explicit StatementCache(Database& database) : database_(database) {}

    // The statement of `sql`, ready to bind; empty when it cannot be prepared (the
    // database's LastError tells why).
    StatementLease Get(const std::string& sql)
    {
        auto found = statements_.find(sql);
        if (found == statements_.end()) {
            std::unique_ptr<DbStatement> statement = database_.Prepare(sql);
            if (!statement)
                return StatementLease();
            found = statements_.emplace(sql, std::move(statement)).first;
        }
        found->second->Reset();
        return StatementLease(found->second.get());
    }

    Database& Db() { return database_; }

private:
    Database& database_;
    std::unordered_map<std::string, std::unique_ptr<DbStatement>> statements_;
};

// Runs `select` with `id` bound to its one parameter and gives each row to `take`; false
// when the statement could not be prepared or failed.
template <class Take>
bool EachRow(StatementLease select, int64_t id, Take take)
{
    if (!select)
        return false;
    select->BindInt(1, id);
    DbStep step;
    while ((step = select->Step()) == DbStep::Row)
        take(*select);
    return step == DbStep::Done;
}

// Runs an INSERT ... RETURNING id; 0 when the row was not inserted (another writer's row
// has the same key), -1 on failure.
inline int64_t InsertedId(const StatementLease& insert)
{
    if (!insert)
        return -1;
    const DbStep step = insert->Step();
    const int64_t id = step == DbStep::Row ? insert->Int(0) : step == DbStep::Done ? 0 : -1;
    if (step == DbStep::Row && insert->Step() == DbStep::Error)
        return -1;
    return id;
}
