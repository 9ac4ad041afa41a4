#pragma once

#include "platform/db/Database.h"

#include <QHash>
#include <QString>
#include <memory>

struct sqlite3;
struct sqlite3_stmt;

namespace qor::db {

// A company database in one SQLite file, through SQLite's C library.
// Statements are prepared once and kept for reuse, ISNULL( calls are turned
// into IFNULL( (see SqlRewrite.h) and CHARINDEX is available. Rows go
// straight from the C API into the columnar recordset.
class SqliteDatabase final : public Database {
public:
    // Opens the file, or creates it when create is set. Opening reads and
    // writes nothing yet: the caller can inspect the file before the first
    // write (see UseWriteAheadLog). Throws DbError.
    static std::shared_ptr<SqliteDatabase> Open(const QString& path, bool create);
    // Opens the file for reading only: nothing in it or beside it changes.
    // immutable: the file is a copy nobody writes to (a snapshot on a
    // read-only medium), so SQLite need not look for others' changes.
    static std::shared_ptr<SqliteDatabase> OpenReadOnly(const QString& path, bool immutable);
    ~SqliteDatabase() override;
    SqliteDatabase(const SqliteDatabase&) = delete;
    SqliteDatabase& operator=(const SqliteDatabase&) = delete;

    QString Backend() const override { return dialect_.Name(); }
    QString ConnectionText() const override { return path_; }
    const Dialect& SqlDialect() const override { return dialect_; }

    RecordsetPtr Query(const QString& sql, const QVariantList& params = {}) override;
    qint64 Execute(const QString& sql, const QVariantList& params = {}) override;
    void ExecuteScript(const QString& sql) override;
    qint64 LastInsertId() override;
    bool TableExists(const QString& name) override;

    void Begin() override;
    void Commit() override;
    void Rollback() override;
    bool InTransaction() const override { return transactionDepth_ > 0; }

    void SetBulkLoad(bool on) override;

    // Whether SQLite opened the file for reading only (the file or its
    // folder is write protected).
    bool IsReadOnly() const override;
    // Switches the file to write-ahead logging, so that readers and one
    // writer on several desktops do not block each other. Writes the file.
    void UseWriteAheadLog();

private:
    class StatementUse;
    struct CachedStatement {
        sqlite3_stmt* statement = nullptr;
        quint64 lastUse = 0;
    };

    SqliteDatabase(sqlite3* handle, const QString& path);
    sqlite3_stmt* Prepare(const QString& sql);
    void Bind(sqlite3_stmt* statement, const QVariantList& params, const QString& sql);
    void EvictOldestStatement();
    [[noreturn]] void Fail(const QString& sql) const;

    sqlite3* db_;
    QString path_;
    Dialect dialect_{BackendKind::Sqlite};
    QHash<QString, CachedStatement> statements_;
    quint64 useCounter_ = 0;
    int transactionDepth_ = 0;
    QString journalModeBeforeBulkLoad_;
};

}  // namespace qor::db
