#pragma once

#include "platform/base/Convert.h"
#include "platform/base/Dictionary.h"
#include "platform/base/HostError.h"
#include "platform/base/Variant.h"
#include "platform/base/Vector.h"
#include "platform/db/OpenDatabase.h"
#include "platform/services/GLData.h"
#include "platform/services/SaveData.h"
#include "tests/support/QueryResults.h"

#include <optional>
#include <utility>
#include <vector>

namespace qor::test {

// What the save component answered: 1 saved, 0 refused with the message,
// -1 when it threw (message = the error's description).
struct SaveAnswer {
    int code = -1;
    QString message;
};

using SaveFields = std::vector<std::pair<QString, QVariant>>;

// Calls SaveBatchTraceData as the module does; a request without fields
// carries no dictionary.
inline SaveAnswer SaveTrace(host::Object& save, int userId, const QString& operation, int traceId,
                            const std::optional<SaveFields>& fields) {
    auto data = Vector::New();
    data->Add(operation);
    data->Add(traceId);
    if (fields) {
        auto dictionary = Dictionary::New();
        for (const auto& [key, value] : *fields) dictionary->Set(key, value);
        data->Add(QVariant::fromValue(dictionary));
    }
    QVariantList args{QStringLiteral("UserID=%1").arg(userId), QVariant::fromValue(data), QString()};
    try {
        const QVariant result = save.CallRef(QStringLiteral("SaveBatchTraceData"), args);
        return {ToInt32(result), args[2].toString()};
    } catch (const HostError& e) {
        return {-1, e.Description()};
    }
}

// One desktop writing trace records: its own connection and session, and the
// save component and the operation log called the way the list calls them.
// Not shared between threads; each thread of a load test has its own.
class SaveClient {
public:
    // On a server, login is the user's own login role.
    SaveClient(const QString& connectionText, int userId, const QString& machineName, const db::ServerLogin& login = {})
        : session_(std::make_shared<services::Session>(
              services::Session{db::OpenDatabase(connectionText, db::OpenMode::Existing, login), userId,
                                QStringLiteral("administrator"), machineName})),
          save_(session_),
          log_(session_) {}

    // A new record, or, with its key, the whole record again as the list's ban and unban send it.
    SaveAnswer SaveWhole(int itemId, const QString& batchNo, int traceId = 0, bool forbid = false) {
        return Save(traceId ? "UPT" : "INS", traceId,
                    SaveFields{{"FItemID", itemId},
                               {"FBatchNo", batchNo},
                               {"FCustBomNo", 0},
                               {"FOrderBillNo", 0},
                               {"FForBid", forbid ? 1 : 0}});
    }
    SaveAnswer ChangeBatch(int traceId, const QString& batchNo) {
        return Save("UPT", traceId, SaveFields{{"FBatchNo", batchNo}});
    }
    // Deletes, then logs the deletion as the list does when it succeeded.
    SaveAnswer Delete(int traceId, const QString& itemNumber) {
        const SaveAnswer answer = Save("DEL", traceId, std::nullopt);
        QVariantList args{"K810022", static_cast<int16_t>(3),
                          QStringLiteral("删除物料: %1 客户BOM批次对应信息成功！").arg(itemNumber)};
        try {
            if (answer.code == 1) log_.CallRef(QStringLiteral("WriteLog"), args);
        } catch (const HostError& e) {
            return {-1, e.Description()};
        }
        return answer;
    }
    // The key of the record of the item and batch, 0 when there is none.
    int TraceIdOf(int itemId, const QString& batchNo) {
        return Scalar(*session_->database, "SELECT FTraceID FROM ICOrderBatchTrace WHERE FItemID = ? AND FBatchNo = ?",
                      {itemId, batchNo})
            .toInt();
    }

private:
    SaveAnswer Save(const char* operation, int traceId, const std::optional<SaveFields>& fields) {
        return SaveTrace(save_, session_->userId, QString::fromLatin1(operation), traceId, fields);
    }

    services::SessionPtr session_;
    services::SaveData save_;
    services::GLData log_;
};

}  // namespace qor::test
