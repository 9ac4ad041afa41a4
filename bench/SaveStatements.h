#pragma once

#include "platform/base/Vector.h"
#include "platform/db/Database.h"
#include "platform/services/TraceRecord.h"

#include <QString>

namespace qor::bench {

// The save component's request for a whole record, as the edit window sends
// it: ("UPT", traceId, fields).
VectorPtr SaveRequestOf(const services::TraceRecord& record);

// The first record of the bench company's best-selling item (5001) with a
// customer BOM and a sales order, so that a save of it runs every check.
services::TraceRecord BestSellerRecord(db::Database& database);

// A psql script of saves times the statements the save component runs to
// save that record on the server at url, parameters written as literals, each
// save in its own transaction as the component runs it.
QString PsqlSaveScript(const QString& url, int saves);

}  // namespace qor::bench
