#pragma once

#include "platform/db/Database.h"
#include "platform/db/DemoCompany.h"
#include "platform/db/DemoRandom.h"

#include <vector>

namespace qor::db {

// What the rest of the demo generator needs to know about the items written.
struct DemoCatalog {
    std::vector<int> madeToOrderItems;    // FErpClsID 7, by FItemID
    std::vector<int> subcontractedItems;  // FErpClsID 2
};

// Writes the item groups (t_Item, class 4, FDetail 0) in three levels whose
// numbers extend their parent's, and the items under the groups of the third
// level, each as a t_Item row (FDetail 1) and a t_ICItem row with the same FItemID.
DemoCatalog WriteDemoCatalog(Database& db, const DemoOptions& options, DemoRandom& random);

}  // namespace qor::db
