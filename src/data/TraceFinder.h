#pragma once

#include "platform/base/Recordset.h"

#include <QString>
#include <QStringList>
#include <limits>
#include <optional>

namespace qor {

// What a search over every trace record looks at, and how its text matches
// (always without letter case). The numbers are the host's.
enum class FindScope { Batch = 1, Order = 2, Bom = 3, Item = 4, Customer = 5 };
enum class FindMatch { Exact = 0, Prefix = 1, Contains = 2 };

struct TraceSearch {
    FindScope scope = FindScope::Batch;
    FindMatch match = FindMatch::Prefix;
    QString text;
};

struct FoundTraces {
    // FTraceID, FItemID, FItemNumber, FItemName, FModel, FOrderBillNo,
    // FOrderEntryID (0 without an order), FCustName, FCustBomNo, FBatchNo,
    // FForbid; newest first.
    RecordsetPtr rows;
    bool more = false;      // older matches remain
    qint64 nextBefore = 0;  // before, for the next page
};

// Keys are 32-bit: every key is below this one.
inline constexpr qint64 kFromNewest = std::numeric_limits<int32_t>::max();

// As a page's limit: every match at once.
inline constexpr int kEveryMatch = 0;

// A page of the records the search finds, with keys below before, through the
// host's data access (limit kEveryMatch: all of them): item codes as the company's number mode shows them,
// narrowed by the user's data rights as the list is. Throws HostError when
// the host fails.
FoundTraces FindTraceRecords(const TraceSearch& search, qint64 before, int limit);

// The captions of a found row's cells, and the cells of row (0-based) of
// found rows: the item code, name and model, the sales order number and its
// line, the customer, the customer BOM number, the batch and "Y" when banned.
QStringList FoundCaptions();
QStringList FoundCells(const Recordset& rows, int row);

// The scope named on the command line or in the window ("batch", "order",
// "bom", "item", "customer"); nothing for any other name.
std::optional<FindScope> FindScopeNamed(const QString& name);

}  // namespace qor
