#pragma once

#include "platform/base/Vector.h"
#include "platform/db/Database.h"

#include <QString>

namespace qor::bench {

// A whole trace record as the edit window sends it to be saved.
struct SaveRequest {
    int traceId = 0;
    int itemId = 0;
    QString batchNo;
    int custBomId = 0;
    int orderInterId = 0;
    int orderEntryId = 0;
    bool forbid = false;

    // The save component's request: ("UPT", traceId, fields).
    VectorPtr ToVector() const;
};

// The first record of the bench company's best-selling item (5001) with a
// customer BOM and a sales order, so that a save of it runs every check.
SaveRequest BestSellerSave(db::Database& database);

// A psql script of saves times the statements the save component runs to
// save that record on the server at url, parameters written as literals, each
// save in its own transaction as the component runs it.
QString PsqlSaveScript(const QString& url, int saves);

}  // namespace qor::bench
