#include "bench/SaveStatements.h"

#include "bench/RecordingDatabase.h"
#include "platform/base/Convert.h"
#include "platform/base/Dictionary.h"
#include "platform/base/Variant.h"
#include "platform/db/OpenDatabase.h"
#include "platform/services/SaveData.h"

namespace qor::bench {

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
