#include "SaveClient.h"

#include "base/Convert.h"
#include "base/Dictionary.h"
#include "base/HostError.h"
#include "base/Variant.h"
#include "base/Vector.h"
#include "db/OpenDatabase.h"

namespace qor::test {

namespace {
services::SessionPtr NewSession(const QString& connectionText, int userId, const QString& machineName) {
    auto session = std::make_shared<services::Session>();
    session->database = db::OpenDatabase(connectionText, db::OpenMode::Existing);
    session->userId = userId;
    session->userName = QStringLiteral("administrator");
    session->machineName = machineName;
    return session;
}
}  // namespace

SaveClient::SaveClient(const QString& connectionText, int userId, const QString& machineName)
    : session_(NewSession(connectionText, userId, machineName)), save_(session_), log_(session_) {}

SaveClient::Answer SaveClient::Save(const QString& operation, int traceId,
                                    const std::vector<std::pair<QString, QVariant>>& fields, bool withFields) {
    auto data = Vector::New();
    data->Add(operation);
    data->Add(traceId);
    if (withFields) {
        auto dictionary = Dictionary::New();
        for (const auto& [key, value] : fields) dictionary->Set(key, value);
        data->Add(QVariant::fromValue(dictionary));
    }
    QVariantList args{QStringLiteral("UserID=%1").arg(session_->userId), QVariant::fromValue(data), QString()};
    try {
        const QVariant result = save_.CallRef(QStringLiteral("SaveBatchTraceData"), args);
        return {ToInt32(result), args[2].toString()};
    } catch (const HostError& e) {
        return {-1, e.Description()};
    }
}

SaveClient::Answer SaveClient::Insert(int itemId, const QString& batchNo) {
    return Save(QStringLiteral("INS"), 0,
                {{QStringLiteral("FItemID"), itemId},
                 {QStringLiteral("FBatchNo"), batchNo},
                 {QStringLiteral("FCustBomNo"), 0},
                 {QStringLiteral("FOrderBillNo"), 0},
                 {QStringLiteral("FForBid"), 0}},
                true);
}

SaveClient::Answer SaveClient::ChangeBatch(int traceId, const QString& batchNo) {
    return Save(QStringLiteral("UPT"), traceId, {{QStringLiteral("FBatchNo"), batchNo}}, true);
}

SaveClient::Answer SaveClient::SetForbid(int traceId, int itemId, const QString& batchNo, bool forbid) {
    return Save(QStringLiteral("UPT"), traceId,
                {{QStringLiteral("FItemID"), itemId},
                 {QStringLiteral("FOrderBillNo"), 0},
                 {QStringLiteral("FCustBomNo"), 0},
                 {QStringLiteral("FBatchNo"), batchNo},
                 {QStringLiteral("FForBid"), forbid ? 1 : 0}},
                true);
}

SaveClient::Answer SaveClient::Delete(int traceId, const QString& itemNumber) {
    const Answer answer = Save(QStringLiteral("DEL"), traceId, {}, false);
    if (answer.code != 1) return answer;
    try {
        QVariantList args{QStringLiteral("K810022"), static_cast<int16_t>(3),
                          QStringLiteral("删除物料: %1 客户BOM批次对应信息成功！").arg(itemNumber)};
        log_.CallRef(QStringLiteral("WriteLog"), args);
    } catch (const HostError& e) {
        return {-1, e.Description()};
    }
    return answer;
}

int SaveClient::TraceIdOf(int itemId, const QString& batchNo) {
    const RecordsetPtr rs =
        session_->database->Query(QStringLiteral("SELECT FTraceID FROM ICOrderBatchTrace WHERE FItemID = ? AND "
                                                 "FBatchNo = ?"),
                                  {itemId, batchNo});
    return rs->RecordCount() > 0 ? rs->Fields(0).Value().toInt() : 0;
}

}  // namespace qor::test
