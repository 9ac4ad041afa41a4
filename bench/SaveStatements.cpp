#include "bench/SaveStatements.h"

#include "bench/RecordingDatabase.h"
#include "platform/base/Convert.h"
#include "platform/base/Dictionary.h"
#include "platform/base/Variant.h"
#include "platform/db/OpenDatabase.h"
#include "platform/services/SaveData.h"

namespace qor::bench {

VectorPtr SaveRequestOf(const services::TraceRecord& record) {
    auto fields = Dictionary::New();
    fields->Set(QStringLiteral("FItemID"), record.itemId);
    fields->Set(QStringLiteral("FBatchNo"), record.batchNo);
    fields->Set(QStringLiteral("FCustBomNo"), record.custBomId);
    fields->Set(QStringLiteral("FOrderBillNo"), record.orderInterId);
    fields->Set(QStringLiteral("EntryID"), record.orderEntryId);
    fields->Set(QStringLiteral("FForBid"), record.forbid ? 1 : 0);
    auto request = Vector::New();
    request->Add(QStringLiteral("UPT"));
    request->Add(record.traceId);
    request->Add(QVariant::fromValue(fields));
    return request;
}

services::TraceRecord BestSellerRecord(db::Database& database) {
    const RecordsetPtr rs = database.Query(
        QStringLiteral("SELECT FTraceID FROM ICOrderBatchTrace v WHERE FItemID = 5001 AND FOrderInterID <> 0 "
                       "AND EXISTS (SELECT 1 FROM ICBom b WHERE b.FInterID = v.FCustBomID) ORDER BY FTraceID"));
    if (rs->Eof()) return {};
    return services::LoadTraceRecord(database, rs->Fields(0).Value().toInt()).value_or(services::TraceRecord{});
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
    services::TraceRecord record = BestSellerRecord(*recording);
    record.forbid = !record.forbid;
    services::SaveData save(session);
    QVariantList args{QString(), QVariant::fromValue(SaveRequestOf(record)), QString()};
    const qsizetype start = recording->Statements().size();
    save.CallRef(QStringLiteral("SaveBatchTraceData"), args);
    const QString one = recording->Statements().mid(start);
    QString script;
    for (int i = 0; i < saves; ++i) script += one;
    return script;
}

}  // namespace qor::bench
