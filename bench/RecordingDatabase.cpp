#include "bench/RecordingDatabase.h"

#include "platform/base/Convert.h"

#include <QStringList>

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

}  // namespace

RecordsetPtr RecordingDatabase::Query(const QString& sql, const QVariantList& params) {
    Record(sql, params);
    return inner_->Query(sql, params);
}

qint64 RecordingDatabase::Execute(const QString& sql, const QVariantList& params) {
    Record(sql, params);
    return inner_->Execute(sql, params);
}

void RecordingDatabase::Begin() {
    RecordTransaction("BEGIN;\n");
    inner_->Begin();
}

void RecordingDatabase::Commit() {
    RecordTransaction("COMMIT;\n");
    inner_->Commit();
}

void RecordingDatabase::Rollback() {
    RecordTransaction("ROLLBACK;\n");
    inner_->Rollback();
}

void RecordingDatabase::RecordTransaction(const char* statement) {
    if (recordTransactions_) statements_ += QLatin1String(statement);
}

void RecordingDatabase::Record(const QString& sql, const QVariantList& params) {
    const QStringList parts = sql.split(u'?');
    QString statement = parts.first();
    for (qsizetype i = 1; i < parts.size(); ++i) statement += Literal(params.value(i - 1)) + parts[i];
    statements_ += statement + QStringLiteral(";\n");
}

}  // namespace qor::bench
