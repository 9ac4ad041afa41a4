#pragma once

#include "platform/db/Database.h"
#include "platform/services/TraceSearchSql.h"

#include <limits>

namespace qor::services {

struct FindRequest {
    FindQuery query;
    qint64 before = std::numeric_limits<int32_t>::max();  // only records with a smaller key (keys are 32-bit)
    int limit = 200;                                      // 0: every match at once
    QString rightsJoin;                                   // the user's data-right fragments, as for the list
    QString rightsCondition;
};

struct FoundPage {
    RecordsetPtr rows;      // the fields of FoundRowsSql, newest first
    bool more = false;      // older matches remain
    qint64 nextBefore = 0;  // the request's before for the next page
};

// The trace records matching the request, newest first, a page at a time.
// An empty text, or one holding NUL (which no stored code holds), matches
// nothing.
FoundPage FindTraces(db::Database& database, const FindRequest& request);

// The path the SQLite statements take for the query: below this many index
// matches every match is read and the newest kept; from it on the newest
// records are read until the page is full.
inline constexpr int kScanFromMatches = 10000;

}  // namespace qor::services
