#pragma once

#include "platform/db/DemoCatalog.h"

#include <vector>

namespace qor::db {

struct DemoOrderLine {
    int interId = 0;
    int entryId = 0;
    int bomId = 0;  // 0: the line names no customer BOM
};

// The customer BOMs and sales-order lines of one made-to-order item.
struct DemoItemTrade {
    int itemId = 0;
    std::vector<int> customerBoms;
    int obsoleteBom = 0;  // a customer BOM that trace records name and that is deleted afterwards (0: none)
    std::vector<DemoOrderLine> orderLines;
};

// Writes the BOMs (customer BOMs, FBomType 3, and others) and the sales orders
// with their lines; answers the trade of each made-to-order item, in the
// order of catalog.madeToOrderItems.
std::vector<DemoItemTrade> WriteDemoTrade(Database& db, const DemoCatalog& catalog, const DemoOptions& options,
                                          DemoRandom& random);

// Writes the trace records and the stock batches, then deletes the obsolete
// customer BOMs, so that the records naming them point at no BOM.
void WriteDemoTraces(Database& db, const std::vector<DemoItemTrade>& trade, const DemoOptions& options,
                     DemoRandom& random);

}  // namespace qor::db
