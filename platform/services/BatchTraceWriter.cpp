#include "platform/services/BatchTraceWriter.h"

#include "platform/db/DbError.h"
#include "platform/db/TraceFunctionRights.h"
#include "platform/services/TraceRefusal.h"
#include "platform/services/UserRights.h"

namespace qor::services {

namespace {

// Tries of a write that lost out to other users' work (deadlock,
// serialization failure, a lock not granted in time) before giving up.
constexpr int kWriteTries = 3;

const QString kRecordGone = QStringLiteral("当前记录不存在，可能已被其他用户删除！");

QVariantList ColumnValues(const TraceRecord& record) {
    return {record.itemId,       record.batchNo,      record.custBomId,
            record.orderInterId, record.orderEntryId, record.forbid ? 1 : 0};
}

}  // namespace

BatchTraceWriter::BatchTraceWriter(const Session& session)
    : session_(session), database_(*session.database), checks_(*session.database) {}

QString BatchTraceWriter::Insert(const TraceChanges& values) {
    RunWrite(
        [&](std::optional<TraceRecord>& written) {
            const TraceRecord record = values.AppliedTo(TraceRecord{});
            if (OnServer()) {
                written = record;
                CallSaveFunction(QStringLiteral("INS"), 0, values);
                return;
            }
            RequireRight(db::kTraceRightNew, QStringLiteral("新增"));
            CheckSent(record, values, true);
            written = record;
            database_.Execute(QStringLiteral("INSERT INTO ICOrderBatchTrace "
                                             "(FItemID, FBatchNo, FCustBomID, FOrderInterID, FOrderEntryID, FForbid) "
                                             "VALUES (?, ?, ?, ?, ?, ?)"),
                              ColumnValues(record));
        },
        [&](const std::optional<TraceRecord>& written) { return written && Holds(*written, std::nullopt); });
    return QStringLiteral("保存成功！");
}

QString BatchTraceWriter::Update(int traceId, const TraceChanges& changes) {
    RunWrite(
        [&](std::optional<TraceRecord>& written) {
            if (OnServer()) {
                CallSaveFunction(QStringLiteral("UPT"), traceId, changes);
                return;
            }
            const TraceRecord stored = RequireRecord(traceId);
            const TraceRecord record = changes.AppliedTo(stored);
            if (record.forbid != stored.forbid)
                RequireRight(db::kTraceRightBan, record.forbid ? QStringLiteral("禁用") : QStringLiteral("反禁用"));
            if (record.DiffersBesidesForbid(stored)) RequireRight(db::kTraceRightModify, QStringLiteral("修改"));
            CheckSent(record, changes, false);
            written = record;
            QVariantList params = ColumnValues(record);
            params.append(traceId);
            // Another user may have deleted the record since it was read.
            if (database_.Execute(
                    QStringLiteral("UPDATE ICOrderBatchTrace SET FItemID = ?, FBatchNo = ?, FCustBomID = ?, "
                                   "FOrderInterID = ?, FOrderEntryID = ?, FForbid = ? WHERE FTraceID = ?"),
                    params) == 0)
                throw TraceRefusal(kRecordGone);
        },
        // The update landed when applying it again changes nothing.
        [&](const std::optional<TraceRecord>&) {
            const std::optional<TraceRecord> now = LoadTraceRecord(database_, traceId);
            return now && ColumnValues(changes.AppliedTo(*now)) == ColumnValues(*now);
        });
    return QStringLiteral("保存成功！");
}

QString BatchTraceWriter::Delete(int traceId) {
    RunWrite(
        [&](std::optional<TraceRecord>&) {
            if (OnServer()) {
                CallSaveFunction(QStringLiteral("DEL"), traceId, TraceChanges{});
                return;
            }
            RequireRecord(traceId);
            RequireRight(db::kTraceRightDelete, QStringLiteral("删除"));
            if (database_.Execute(QStringLiteral("DELETE FROM ICOrderBatchTrace WHERE FTraceID = ?"), {traceId}) == 0)
                throw TraceRefusal(kRecordGone);
        },
        [&](const std::optional<TraceRecord>&) { return !LoadTraceRecord(database_, traceId); });
    return QStringLiteral("删除成功！");
}

bool BatchTraceWriter::OnServer() const { return database_.SqlDialect().Kind() == db::BackendKind::PostgreSql; }

// One call: the server asks the rights, checks and writes (qor_save_trace).
// A batch number is checked here first as well: a NUL in it would not even
// reach the server whole.
void BatchTraceWriter::CallSaveFunction(const QString& operation, int traceId, const TraceChanges& values) {
    if (values.batchNo) checks_.CheckBatch(*values.batchNo);
    int sent = 0;
    const bool has[] = {values.itemId.has_value(),       values.batchNo.has_value(),      values.custBomId.has_value(),
                        values.orderInterId.has_value(), values.orderEntryId.has_value(), values.forbid.has_value()};
    for (int bit = 0; bit < 6; ++bit)
        if (has[bit]) sent |= 1 << bit;
    const RecordsetPtr answer = database_.Query(
        QStringLiteral("SELECT qor_save_trace(?, ?, ?, ?, ?, ?, ?, ?, ?, ?) AS FRefusal"),
        {session_.userId, operation, traceId, sent, values.itemId.value_or(0), values.batchNo.value_or(QString()),
         values.custBomId.value_or(0), values.orderInterId.value_or(0), values.orderEntryId.value_or(0),
         values.forbid.value_or(false) ? 1 : 0});
    if (const QString refusal = answer->Fields(0).Text(); !refusal.isEmpty()) throw TraceRefusal(refusal);
}

// Whether the table holds the record as written: by its key, or by its item
// and batch for a new one.
bool BatchTraceWriter::Holds(const TraceRecord& written, std::optional<int> traceId) {
    const RecordsetPtr rs =
        traceId ? database_.Query(QStringLiteral("SELECT FItemID, FBatchNo, FCustBomID, FOrderInterID, FOrderEntryID, "
                                                 "FForbid FROM ICOrderBatchTrace WHERE FTraceID = ?"),
                                  {*traceId})
                : database_.Query(QStringLiteral("SELECT FItemID, FBatchNo, FCustBomID, FOrderInterID, FOrderEntryID, "
                                                 "FForbid FROM ICOrderBatchTrace WHERE FItemID = ? AND FBatchNo = ?"),
                                  {written.itemId, written.batchNo});
    if (rs->RecordCount() != 1) return false;
    const QVariantList expected = ColumnValues(written);
    for (int field = 0; field < static_cast<int>(expected.size()); ++field)
        if (rs->TextAt(field, 0) != expected[field].toString()) return false;
    return true;
}

void BatchTraceWriter::RunWrite(const std::function<void(std::optional<TraceRecord>& written)>& write,
                                const std::function<bool(const std::optional<TraceRecord>& written)>& landed) {
    for (int attempt = 1;; ++attempt) {
        std::optional<TraceRecord> written;
        bool committing = false;
        try {
            // Inside a caller's transaction (an import) the write needs no
            // savepoint of its own: it is one statement (on a server, one
            // call that answers a refusal rather than failing), so nothing
            // is left half done. A savepoint per write would cost a round
            // trip to the server, or a flush of SQLite's batch-number text
            // index.
            std::optional<db::Transaction> transaction;
            if (!database_.InTransaction()) transaction.emplace(database_);
            write(written);
            committing = true;
            if (transaction) transaction->Commit();
            return;
        } catch (const TraceRefusal&) {
            throw;
        } catch (const db::DbError& e) {
            // Without an answer to COMMIT nobody knows whether it was saved;
            // before it, the server has rolled everything back.
            if (e.Failure() == db::DbFailure::ConnectionLost) {
                if (!committing) throw TraceRefusal(e.Description());
                // The server may have committed before the answer was lost:
                // look, over a new connection, whether the write is there.
                bool saved = false;
                try {
                    saved = landed(written);
                } catch (const HostError&) {
                    // Neither saved nor refused: told as an error, not as a refusal.
                    throw HostError(
                        QStringLiteral("与数据库服务器的连接在保存时中断，无法确认是否已经保存。"
                                       "请在连接恢复后刷新列表查看。"));
                }
                if (saved) return;
                throw TraceRefusal(QStringLiteral("与数据库服务器的连接在保存时中断，本次保存没有完成，请重试！"));
            }
            // The transaction is rolled back by now, so the check sees what
            // another user committed in the meantime.
            if (written && (e.Failure() == db::DbFailure::UniqueViolation || checks_.HasDuplicate(*written)))
                throw TraceRefusal(checks_.DuplicateMessage(*written));
            if (e.Failure() == db::DbFailure::Conflict) {
                // A company file stays locked for as long as the program
                // holding it wants (a backup, a copy open in another tool):
                // after the wait for the lock there is nothing to try again.
                if (database_.SqlDialect().Kind() == db::BackendKind::Sqlite)
                    throw TraceRefusal(
                        QStringLiteral("公司数据库正被其他程序使用，本次保存没有完成。请等它用完后再试。"));
                if (attempt < kWriteTries) continue;
                throw TraceRefusal(QStringLiteral("其他用户正在同时修改相同的记录，本次保存没有完成，请稍后重试！"));
            }
            throw;
        } catch (const HostError&) {
            if (written && checks_.HasDuplicate(*written)) throw TraceRefusal(checks_.DuplicateMessage(*written));
            throw;
        }
    }
}

void BatchTraceWriter::RequireRight(qint64 mask, const QString& rightName) {
    if (!HoldsRight(database_, session_.userId, db::kTraceFunctionModule, db::kTraceFunctionDetail, mask))
        throw TraceRefusal(QStringLiteral("当前用户没有%1权限！请与系统管理员联系！").arg(rightName));
}

TraceRecord BatchTraceWriter::RequireRecord(int traceId) {
    auto record = LoadTraceRecord(database_, traceId);
    if (!record) throw TraceRefusal(kRecordGone);
    return *record;
}

void BatchTraceWriter::CheckSent(const TraceRecord& record, const TraceChanges& sent, bool all) {
    const bool item = all || sent.itemId.has_value();
    if (item) checks_.CheckItem(record.itemId);
    if (all || sent.batchNo) checks_.CheckBatch(record.batchNo);
    if (item || sent.custBomId) checks_.CheckCustomerBom(record);
    if (item || sent.orderInterId || sent.orderEntryId) checks_.CheckOrderLine(record);
    if (item || sent.batchNo) checks_.CheckUnique(record);
}

}  // namespace qor::services
