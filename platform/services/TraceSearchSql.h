#pragma once

#include "platform/db/Dialect.h"

#include <QString>
#include <QVariantList>

namespace qor::services {

// What a search looks at: the batch number of the record, or the number of
// its sales order, its customer BOM, its item, or the customer of its order.
enum class FindScope { Batch = 1, Order = 2, Bom = 3, Item = 4, Customer = 5 };

// How the text must match, always without letter case.
enum class FindMatch { Exact = 0, Prefix = 1, Contains = 2 };

// How the keys of the matching records are read, newest first:
//   Planned  the database's planner chooses (PostgreSQL, which keeps statistics);
//   ByIndex  every match from the code's index, then the newest of them;
//   ByScan   the trace table from its newest record on, stopping at the page;
//   ByText   the trigram index of batch numbers (SQLite, three characters or more).
enum class FindPath { Planned, ByIndex, ByScan, ByText };

struct FindQuery {
    FindScope scope = FindScope::Batch;
    FindMatch match = FindMatch::Prefix;
    QString text;
    bool useShortNumber = false;  // items by short number rather than full number
};

// A statement with its "?" placeholders' values, in order. User text only
// ever travels in params.
struct BoundStatement {
    QString sql;
    QVariantList params;
};

// The keys (FTraceID) of at most limit matching records older than before
// (a key), newest first.
BoundStatement MatchingKeysStatement(const db::Dialect& dialect, const FindQuery& query, FindPath path, qint64 before,
                                     int limit);

// The keys of every matching record, in no order.
BoundStatement AllMatchingKeysStatement(const db::Dialect& dialect, const FindQuery& query, FindPath path);

// How many records the code's index matches, counting no further than cap:
// tells ByIndex from ByScan.
BoundStatement IndexMatchCountStatement(const db::Dialect& dialect, const FindQuery& query, qint64 before, int cap);

// The rows shown for the keys (a list or a statement giving them; none when
// empty), newest first: FTraceID, FItemID, FItemNumber, FItemName, FModel,
// FOrderBillNo, FOrderEntryID (0 without an order), FCustName, FCustBomNo,
// FBatchNo, FForbid. Only items of ERP class 7, as in the list, narrowed by
// the user's data-right join and condition fragments (either may be empty).
QString FoundRowsSql(bool useShortNumber, const QString& keys, const QString& rightsJoin,
                     const QString& rightsCondition);

// The trigram index's query for text: one phrase, so that every character
// (quotes included) stands for itself.
QString TextIndexPhrase(const QString& text);

// The LIKE pattern for "contains text", with "\" escaping the wildcards.
QString ContainsPattern(const QString& text);

}  // namespace qor::services
