#pragma once

#include "platform/db/Database.h"

#include <QString>
#include <optional>

namespace qor::services {

// One row of ICOrderBatchTrace. 0 in custBomId / orderInterId / orderEntryId
// means "none".
struct TraceRecord {
    int traceId = 0;
    int itemId = 0;
    QString batchNo;
    int custBomId = 0;
    int orderInterId = 0;
    int orderEntryId = 0;
    bool forbid = false;

    // Whether the two differ in anything but the ban flag.
    bool DiffersBesidesForbid(const TraceRecord& other) const;
};

// The record with that key, or nothing when there is none.
std::optional<TraceRecord> LoadTraceRecord(db::Database& database, int traceId);

}  // namespace qor::services
