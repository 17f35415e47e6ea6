#include "db/row_batch.h"

#include <algorithm>

namespace {

void Bind(DbStatement& statement, int index, const DbValue& value)
{
    if (const auto* number = std::get_if<int64_t>(&value))
        statement.BindInt(index, *number);
    else if (const auto* real = std::get_if<double>(&value))
        statement.BindReal(index, *real);
    else if (const auto* text = std::get_if<std::string>(&value))
        statement.BindText(index, *text);
    else
        statement.BindNull(index);
}

// "(?, ?, ?)" for `count` values.
std::string Placeholders(size_t count)
{
    std::string text = "(";
    for (size_t i = 0; i < count; ++i)
        text += i ? ", ?" : "?";
    return text + ")";
}

// The largest power of two that is at most `left` and kBatchRows.
size_t ChunkOf(size_t left)
{
    size_t count = kBatchRows;
    while (count > left)
        count /= 2;
    return count;
}

}  // namespace

bool RowBatch::Run(const std::function<void(DbStatement& row)>& returned)
{
    const std::string row = Placeholders(columns_);
    for (size_t done = 0; done < rows_.size();) {
        const size_t count = ChunkOf(rows_.size() - done);
        std::string sql = head_ + " VALUES " + row;
        for (size_t i = 1; i < count; ++i)
            sql += ", " + row;
        StatementLease insert = statements_.Get(sql + tail_);
        if (!insert)
            return false;
        int index = 0;
        for (size_t i = done; i < done + count; ++i)
            for (const DbValue& value : rows_[i])
                Bind(*insert, ++index, value);
        DbStep step;
        while ((step = insert->Step()) == DbStep::Row)
            if (returned)
                returned(*insert);
        if (step == DbStep::Error)
            return false;
        done += count;
    }
    rows_.clear();
    return true;
}

bool IdsOfDigests(StatementCache& statements, const char* table, const std::vector<std::string>& digests,
                  std::map<std::string, int64_t>& ids)
{
    for (size_t done = 0; done < digests.size();) {
        // A power of two of places, the last digest repeated in those left over.
        const size_t left = digests.size() - done;
        size_t places = 1;
        while (places < left && places < kBatchRows)
            places *= 2;
        StatementLease select = statements.Get(std::string("SELECT digest, id FROM ") + table + " WHERE digest IN " +
                                             Placeholders(places));
        if (!select)
            return false;
        const size_t count = std::min(left, places);
        for (size_t i = 0; i < places; ++i)
            select->BindText(static_cast<int>(i + 1), digests[done + std::min(i, count - 1)]);
        DbStep step;
        while ((step = select->Step()) == DbStep::Row)
            ids[select->Text(0)] = select->Int(1);
        if (step == DbStep::Error)
            return false;
        done += count;
    }
    return true;
}

bool InsertMissing(StatementCache& statements, const char* table, const std::string& head, const DigestRows& rows,
                   std::map<std::string, int64_t>& ids, std::vector<std::string>& inserted)
{
    RowBatch batch(statements, head, rows.empty() ? 0 : rows.begin()->second.size(),
                   " ON CONFLICT (digest) DO NOTHING RETURNING digest, id");
    for (const auto& [digest, row] : rows)
        if (!ids.count(digest))
            batch.Add(row);
    if (!batch.Run([&](DbStatement& row) {
            ids[row.Text(0)] = row.Int(1);
            inserted.push_back(row.Text(0));
        }))
        return false;
    std::vector<std::string> others;
    for (const auto& [digest, row] : rows)
        if (!ids.count(digest))
            others.push_back(digest);
    if (!IdsOfDigests(statements, table, others, ids))
        return false;
    return std::all_of(rows.begin(), rows.end(), [&](const auto& row) { return ids.count(row.first) > 0; });
}

std::vector<std::string> Keys(const DigestRows& rows)
{
    std::vector<std::string> keys;
    for (const auto& row : rows)
        keys.push_back(row.first);
    return keys;
}
