#pragma once

#include "db/Database.h"

namespace qor::test {

// Passes every call on to a real database. Tests derive from it to watch or
// bend what reaches the database.
class ForwardingDatabase : public db::Database {
public:
    explicit ForwardingDatabase(db::DatabasePtr inner) : inner_(std::move(inner)) {}

    QString Backend() const override { return inner_->Backend(); }
    QString ConnectionText() const override { return inner_->ConnectionText(); }
    const db::Dialect& SqlDialect() const override { return inner_->SqlDialect(); }
    RecordsetPtr Query(const QString& sql, const QVariantList& params = {}) override {
        return inner_->Query(sql, params);
    }
    qint64 Execute(const QString& sql, const QVariantList& params = {}) override {
        return inner_->Execute(sql, params);
    }
    void ExecuteScript(const QString& sql) override { inner_->ExecuteScript(sql); }
    qint64 LastInsertId() override { return inner_->LastInsertId(); }
    bool TableExists(const QString& name) override { return inner_->TableExists(name); }
    void Begin() override { inner_->Begin(); }
    void Commit() override { inner_->Commit(); }
    void Rollback() override { inner_->Rollback(); }
    void SetBulkLoad(bool on) override { inner_->SetBulkLoad(on); }

protected:
    db::DatabasePtr inner_;
};

}  // namespace qor::test
