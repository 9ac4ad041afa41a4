#pragma once

#include "services/GLData.h"
#include "services/SaveData.h"

#include <QString>

namespace qor::test {

// One desktop writing trace records: its own connection and session, and the
// save component and the operation log called the way the module calls them.
// Not shared between threads; each thread of a load test has its own.
class SaveClient {
public:
    // What the save component answered: 1 saved, 0 refused with the
    // message, -1 when it threw (message = the error's description).
    struct Answer {
        int code = -1;
        QString message;
    };

    SaveClient(const QString& connectionText, int userId, const QString& machineName);

    Answer Insert(int itemId, const QString& batchNo);
    Answer ChangeBatch(int traceId, const QString& batchNo);
    // Sends the whole record, as the list's ban and unban do.
    Answer SetForbid(int traceId, int itemId, const QString& batchNo, bool forbid);
    // Deletes, then logs the deletion as the list does when it succeeded.
    Answer Delete(int traceId, const QString& itemNumber);

    // The key of the record of the item and batch, 0 when there is none.
    int TraceIdOf(int itemId, const QString& batchNo);

private:
    Answer Save(const QString& operation, int traceId, const std::vector<std::pair<QString, QVariant>>& fields,
                bool withFields);

    services::SessionPtr session_;
    services::SaveData save_;
    services::GLData log_;
};

}  // namespace qor::test
