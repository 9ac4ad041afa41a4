#include "platform/services/TraceRecord.h"

#include "platform/base/Convert.h"

namespace qor::services {

bool TraceRecord::DiffersBesidesForbid(const TraceRecord& other) const {
    return itemId != other.itemId || batchNo != other.batchNo || custBomId != other.custBomId ||
           orderInterId != other.orderInterId || orderEntryId != other.orderEntryId;
}

std::optional<TraceRecord> LoadTraceRecord(db::Database& database, int traceId) {
    auto rs =
        database.Query(QStringLiteral("SELECT FItemID, FBatchNo, FCustBomID, FOrderInterID, FOrderEntryID, FForbid "
                                      "FROM ICOrderBatchTrace WHERE FTraceID = ?"),
                       {traceId});
    if (rs->RecordCount() == 0) return std::nullopt;
    TraceRecord record;
    record.traceId = traceId;
    record.itemId = static_cast<int>(NullToZero(rs->Fields(QStringLiteral("FItemID")).Value()));
    record.batchNo = rs->Fields(QStringLiteral("FBatchNo")).Text();
    record.custBomId = static_cast<int>(NullToZero(rs->Fields(QStringLiteral("FCustBomID")).Value()));
    record.orderInterId = static_cast<int>(NullToZero(rs->Fields(QStringLiteral("FOrderInterID")).Value()));
    record.orderEntryId = static_cast<int>(NullToZero(rs->Fields(QStringLiteral("FOrderEntryID")).Value()));
    record.forbid = NullToZero(rs->Fields(QStringLiteral("FForbid")).Value()) != 0;
    return record;
}

}  // namespace qor::services
