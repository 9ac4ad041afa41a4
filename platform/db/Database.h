#pragma once

#include "platform/base/Recordset.h"
#include "platform/db/Dialect.h"

#include <QString>
#include <QStringList>
#include <QVariantList>
#include <memory>
#include <vector>

namespace qor::db {

// A connection to a company database. Statements take "?" placeholders bound
// from params, in order. Failures throw DbError (a HostError) whose
// description says what the database answered.
class Database {
public:
    virtual ~Database() = default;

    // "sqlite" or "postgresql".
    virtual QString Backend() const = 0;
    // The connection text the database was opened with (file path or URL).
    virtual QString ConnectionText() const = 0;
    // How SQL text differs on this back end (schema placeholders).
    virtual const Dialect& SqlDialect() const = 0;

    // Runs a SELECT and reads every row into a recordset.
    virtual RecordsetPtr Query(const QString& sql, const QVariantList& params = {}) = 0;
    // Runs a statement that returns no rows; answers the number of rows changed.
    virtual qint64 Execute(const QString& sql, const QVariantList& params = {}) = 0;
    // Runs several statements separated by ";" (migrations, scripts).
    virtual void ExecuteScript(const QString& sql) = 0;
    // Key of the last row inserted on this connection.
    virtual qint64 LastInsertId() = 0;
    // Whether a table of that name exists (names compared without case).
    virtual bool TableExists(const QString& name) = 0;

    // Begin/Commit/Rollback nest: an inner pair commits or rolls back only
    // the work done since its Begin.
    virtual void Begin() = 0;
    virtual void Commit() = 0;
    virtual void Rollback() = 0;
    // Whether a Begin is open on this connection.
    virtual bool InTransaction() const = 0;
    // Whether the connection may only read (a company file opened read-only).
    virtual bool IsReadOnly() const = 0;

    // Trades crash safety for speed while a large load runs on a database no
    // one else uses (the demo and bench generators); off restores the normal
    // settings. Transactions still roll back, but a crash or power loss
    // during the load can leave the file unusable. Not inside a transaction.
    virtual void SetBulkLoad(bool on) = 0;

    // Appends rows to a table in one go, each with a value per column in
    // order: on a server through COPY, here statement by statement. The
    // table and column names are the program's own, never a user's text.
    virtual void AppendRows(const QString& table, const QStringList& columns, const std::vector<QVariantList>& rows) {
        QStringList marks;
        for (qsizetype i = 0; i < columns.size(); ++i) marks << QStringLiteral("?");
        const QString insert = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                   .arg(table, columns.join(QStringLiteral(", ")), marks.join(QStringLiteral(", ")));
        for (const QVariantList& row : rows) Execute(insert, row);
    }
};

using DatabasePtr = std::shared_ptr<Database>;

// Rolls back unless committed.
class Transaction {
public:
    explicit Transaction(Database& db) : db_(db) { db_.Begin(); }
    ~Transaction() {
        if (!done_) {
            try {
                db_.Rollback();
            } catch (...) {
            }
        }
    }
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    void Commit() {
        db_.Commit();
        done_ = true;
    }

private:
    Database& db_;
    bool done_ = false;
};

}  // namespace qor::db
