#pragma once

#include "src/lookup/Lookups.h"

#include <QString>
#include <cstdint>

namespace qor {

// The condition that narrows the selection list of look-up class cls to the
// chosen item and customer BOM (their IDs, "" when none is chosen).
QString LookupListFilter(LookupClass cls, const QString& itemId, const QString& bomId);

// The condition of the code search behind a typed item, batch number or
// customer BOM.
QString CodeSearchFilter(LookupClass cls, const QString& itemId);

// CodeSearchFilter of customer BOMs for the items of several ids at once.
QString BomsOfItemsFilter(const QStringList& itemIds);

// The statement that resolves a typed sales-order number to its open order
// lines of items of ERP class 7, narrowed to the chosen item, customer BOM
// and order line (entryFilter, a condition such as "v1.FEntryID=3") when set.
QString SalesOrderResolveSql(const QString& billNo, const QString& itemId, const QString& bomId,
                             const QString& entryFilter);

}  // namespace qor
