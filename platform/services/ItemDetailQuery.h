#pragma once

#include "platform/db/Database.h"

namespace qor::services {

// The code search behind GetItemDetail: the records of class cls whose code
// is text, narrowed by extra (an SQL condition, may be empty). The text is
// bound, never spliced into the statement. Answers per class:
//   4     items by FShortNumber or FNumber: FItemID, FName, FNumber, FModel;
//   18    batches in stock or named by a trace record: FItemID, FName,
//         FNumber and FBatchNo, all the batch;
//   -101  BOMs by number: FItemID and FInterID the BOM's id, FName, FNumber
//         and FBomNumber its number.
// Other classes throw HostError.
RecordsetPtr QueryItemDetail(db::Database& database, int cls, const QString& text, bool useShortNumber,
                             const QString& extra);

// The most codes QueryItemDetails takes at once.
inline constexpr int kMostCodesAtOnce = 1000;

// QueryItemDetail for many codes of class 4 or -101 in one statement, with
// one more field, FOwnerID, the item the record belongs to. A code found
// several times has a row for each record; a code found nowhere has none.
RecordsetPtr QueryItemDetails(db::Database& database, int cls, const QStringList& codes, bool useShortNumber,
                              const QString& extra);

}  // namespace qor::services
