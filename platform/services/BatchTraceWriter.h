#pragma once

#include "platform/services/Session.h"
#include "platform/services/TraceChanges.h"
#include "platform/services/TraceChecks.h"

#include <functional>

namespace qor::services {

// Writes trace records for the session's user: checks the user's rights on
// the batch trace function and the record's rules, then writes, all inside
// one transaction. Each operation answers a short confirmation, or throws
// TraceRefusal (nothing written) or HostError (the database failed).
class BatchTraceWriter {
public:
    explicit BatchTraceWriter(const Session& session);

    QString Insert(const TraceChanges& values);
    QString Update(int traceId, const TraceChanges& changes);
    QString Delete(int traceId);

private:
    // Runs write in a transaction. A write the database refuses because the
    // item and batch are taken meanwhile gets the same answer as the check;
    // one that lost out to other users' work runs again (a few times); one
    // cut off from the server before COMMIT is refused with the reason; one
    // cut off during COMMIT succeeds or is refused as landed finds the write
    // in the table or not, over a new connection.
    void RunWrite(const std::function<void(std::optional<TraceRecord>& written)>& write,
                  const std::function<bool(const std::optional<TraceRecord>& written)>& landed);
    bool Holds(const TraceRecord& written, std::optional<int> traceId);
    // On a server the function qor_save_trace checks and writes in one call.
    bool OnServer() const;
    void CallSaveFunction(const QString& operation, int traceId, const TraceChanges& values);
    void RequireRight(qint64 mask, const QString& rightName);
    TraceRecord RequireRecord(int traceId);
    // Checks what the request sent; everything when all is true.
    void CheckSent(const TraceRecord& record, const TraceChanges& sent, bool all);

    const Session& session_;
    db::Database& database_;
    TraceChecks checks_;
};

}  // namespace qor::services
