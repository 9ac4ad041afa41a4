#pragma once

#include "platform/base/Dictionary.h"
#include "platform/services/TraceRecord.h"

#include <optional>

namespace qor::services {

// The values of one save request. A key the request leaves out stays unset
// and leaves its column as it is.
struct TraceChanges {
    std::optional<int> itemId;
    std::optional<QString> batchNo;
    std::optional<int> custBomId;
    std::optional<int> orderInterId;
    std::optional<int> orderEntryId;
    std::optional<bool> forbid;

    // Reads a request dictionary keyed by the list's column names: "FItemID",
    // "FBatchNo", "FCustBomNo" (the BOM's FInterID), "FOrderBillNo" (the
    // order's FInterID), "FForBid", plus "EntryID" (the order line). Other
    // keys are shown values only and ignored. Ids may arrive as numbers or as
    // text holding a number; empty text and null read as 0. Throws
    // TraceRefusal on a value that is neither.
    static TraceChanges FromDictionary(const Dictionary& fields);

    // The record with the changes applied. A changed order without a line
    // given drops the old order's line; no order means no line.
    TraceRecord AppliedTo(const TraceRecord& record) const;
};

}  // namespace qor::services
