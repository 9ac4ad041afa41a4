#include "bench/SaveStatements.h"

#include "platform/base/Convert.h"
#include "platform/base/Dictionary.h"
#include "platform/base/Variant.h"
#include "platform/db/OpenDatabase.h"
#include "platform/services/SaveData.h"

namespace qor::bench {

namespace {
QString Literal(const QVariant& value) {
    if (IsNull(value)) return QStringLiteral("NULL");
    switch (value.typeId()) {
        case QMetaType::Bool:
            return value.toBool() ? QStringLiteral("1") : QStringLiteral("0");
        case QMetaType::Int:
        case QMetaType::LongLong:
        case QMetaType::Double:
            return value.toString();
        default: {
            QString text = value.toString();
            return u'\'' + text.replace(u'\'', QStringLiteral("''")) + u'\'';
        }
    }
}

// Passes everything on to the server's connection and writes each statement
// down as psql would take it.
class RecordingDatabase : public db::Database {
public:
    explicit RecordingDatabase(db::DatabasePtr inner) : inner_(std::move(inner)) {}

    QString Backend() const override { return inner_->Backend(); }
    QString ConnectionText() const override { return inner_->ConnectionText(); }
    const db::Dialect& SqlDialect() const override { return inner_->SqlDialect(); }
    RecordsetPtr Query(const QString& sql, const QVariantList& params = {}) override {
        Record(sql, params);
        return inner_->Query(sql, params);
    }
    qint64 Execute(const QString& sql, const QVariantList& params = {}) override {
        Record(sql, params);
        return inner_->Execute(sql, params);
    }
    void ExecuteScript(const QString& sql) override { inner_->ExecuteScript(sql); }
    qint64 LastInsertId() override { return inner_->LastInsertId(); }
    bool TableExists(const QString& name) override { return inner_->TableExists(name); }
    void Begin() override {
        statements_ += QStringLiteral("BEGIN;\n");
        inner_->Begin();
    }
    void Commit() override {
        statements_ += QStringLiteral("COMMIT;\n");
        inner_->Commit();
    }
    void Rollback() override {
        statements_ += QStringLiteral("ROLLBACK;\n");
        inner_->Rollback();
    }
    void SetBulkLoad(bool on) override { inner_->SetBulkLoad(on); }

    const QString& Statements() const { return statements_; }

private:
    void Record(const QString& sql, const QVariantList& params) {
        const QStringList parts = sql.split(u'?');
        QString statement = parts.first();
        for (qsizetype i = 1; i < parts.size(); ++i) statement += Literal(params.value(i - 1)) + parts[i];
        statements_ += statement + QStringLiteral(";\n");
    }

    db::DatabasePtr inner_;
    QString statements_;
};
}  // namespace

VectorPtr SaveRequest::ToVector() const {
    auto fields = Dictionary::New();
    fields->Set(QStringLiteral("FItemID"), itemId);
    fields->Set(QStringLiteral("FBatchNo"), batchNo);
    fields->Set(QStringLiteral("FCustBomNo"), custBomId);
    fields->Set(QStringLiteral("FOrderBillNo"), orderInterId);
    fields->Set(QStringLiteral("EntryID"), orderEntryId);
    fields->Set(QStringLiteral("FForBid"), forbid ? 1 : 0);
    auto request = Vector::New();
    request->Add(QStringLiteral("UPT"));
    request->Add(traceId);
    request->Add(QVariant::fromValue(fields));
    return request;
}

SaveRequest BestSellerSave(db::Database& database) {
    const RecordsetPtr rs = database.Query(
        QStringLiteral("SELECT FTraceID, FItemID, FBatchNo, FCustBomID, FOrderInterID, FOrderEntryID, FForbid "
                       "FROM ICOrderBatchTrace v WHERE FItemID = 5001 AND FOrderInterID <> 0 "
                       "AND EXISTS (SELECT 1 FROM ICBom b WHERE b.FInterID = v.FCustBomID) ORDER BY FTraceID"));
    if (rs->Eof()) return {};
    return {rs->Fields(0).Value().toInt(),     rs->Fields(1).Value().toInt(), rs->Fields(2).Text(),
            rs->Fields(3).Value().toInt(),     rs->Fields(4).Value().toInt(), rs->Fields(5).Value().toInt(),
            rs->Fields(6).Value().toInt() != 0};
}

QString PsqlSaveScript(const QString& url, int saves) {
    const auto recording = std::make_shared<RecordingDatabase>(db::OpenDatabase(url));
    auto session = std::make_shared<services::Session>();
    session->database = recording;
    session->userId = recording->Query(QStringLiteral("SELECT FUserID FROM t_User WHERE FName = 'administrator'"))
                          ->Fields(0)
                          .Value()
                          .toInt();
    session->userName = QStringLiteral("administrator");
    SaveRequest request = BestSellerSave(*recording);
    request.forbid = !request.forbid;
    services::SaveData save(session);
    QVariantList args{QString(), QVariant::fromValue(request.ToVector()), QString()};
    const qsizetype start = recording->Statements().size();
    save.CallRef(QStringLiteral("SaveBatchTraceData"), args);
    const QString one = recording->Statements().mid(start);
    QString script;
    for (int i = 0; i < saves; ++i) script += one;
    return script;
}

}  // namespace qor::bench
