#pragma once

#include "src/data/TraceQueries.h"

namespace qor {

// The user's data-right fragments for queries over t_ICItem, the item table
// appearing under billTableAs in the query. Never fails: fragments that
// cannot be read are left empty.
DataRightFragments ItemDataRights(const QString& billTableAs);

}  // namespace qor
