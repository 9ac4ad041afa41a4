#pragma once

#include "platform/db/Database.h"

#include <utility>

namespace qor::db {

// The rows of one table in a bulk load, handed to Database::AppendRows a
// few thousand at a time. Flush writes what is left; rows not flushed are
// not written.
class RowAppender {
public:
    RowAppender(Database& db, QString table, QStringList columns)
        : db_(db), table_(std::move(table)), columns_(std::move(columns)) {}

    void Add(QVariantList row) {
        rows_.push_back(std::move(row));
        if (rows_.size() >= kRowsPerAppend) Flush();
    }
    void Flush() {
        db_.AppendRows(table_, columns_, rows_);
        rows_.clear();
    }

private:
    static constexpr size_t kRowsPerAppend = 20000;

    Database& db_;
    QString table_;
    QStringList columns_;
    std::vector<QVariantList> rows_;
};

}  // namespace qor::db
