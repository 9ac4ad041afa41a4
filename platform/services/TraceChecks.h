#pragma once

#include "platform/db/Database.h"
#include "platform/services/TraceRecord.h"

namespace qor::services {

// The rules a trace record must keep. Each check throws TraceRefusal with the
// reason, in words for the user, when the record breaks its rule.
class TraceChecks {
public:
    explicit TraceChecks(db::Database& database) : database_(database) {}

    // The item exists and is of ERP class 7.
    void CheckItem(int itemId);
    void CheckBatch(const QString& batchNo);
    // A customer BOM other than 0 is a BOM of the record's item.
    void CheckCustomerBom(const TraceRecord& record);
    // A sales order other than 0 has a line of the record's item; when the
    // record names the line, that line is of the item.
    void CheckOrderLine(const TraceRecord& record);
    // No other record has the same item and batch.
    void CheckUnique(const TraceRecord& record);

    bool HasDuplicate(const TraceRecord& record);
    QString DuplicateMessage(const TraceRecord& record);

private:
    // The item's number for messages, or its id when it has none.
    QString ItemLabel(int itemId);

    db::Database& database_;
};

}  // namespace qor::services
