#pragma once

#include "platform/db/Database.h"

#include <QString>

namespace qor::bench {

// Passes everything on to a connection and writes each statement down as the
// database's own shell would take it, parameters as literals; BEGIN, COMMIT
// and ROLLBACK too unless told to leave transactions out.
class RecordingDatabase : public db::Database {
public:
    explicit RecordingDatabase(db::DatabasePtr inner, bool recordTransactions = true)
        : inner_(std::move(inner)), recordTransactions_(recordTransactions) {}

    QString Backend() const override { return inner_->Backend(); }
    QString ConnectionText() const override { return inner_->ConnectionText(); }
    const db::Dialect& SqlDialect() const override { return inner_->SqlDialect(); }
    RecordsetPtr Query(const QString& sql, const QVariantList& params = {}) override;
    qint64 Execute(const QString& sql, const QVariantList& params = {}) override;
    void ExecuteScript(const QString& sql) override { inner_->ExecuteScript(sql); }
    qint64 LastInsertId() override { return inner_->LastInsertId(); }
    bool TableExists(const QString& name) override { return inner_->TableExists(name); }
    void Begin() override;
    void Commit() override;
    void Rollback() override;
    bool InTransaction() const override { return inner_->InTransaction(); }
    bool IsReadOnly() const override { return inner_->IsReadOnly(); }
    void SetBulkLoad(bool on) override { inner_->SetBulkLoad(on); }

    const QString& Statements() const { return statements_; }

private:
    void Record(const QString& sql, const QVariantList& params);
    void RecordTransaction(const char* statement);

    db::DatabasePtr inner_;
    bool recordTransactions_;
    QString statements_;
};

}  // namespace qor::bench
