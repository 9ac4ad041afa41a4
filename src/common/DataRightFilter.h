#pragma once

#include "platform/base/Vector.h"

#include <QString>
#include <cstdint>

namespace qor {

// Extends where with the user's row-level rights on the tables the host
// restricts (t_organization, t_supplier, t_stock). tableNames bounds the
// loop; descriptors holds, at the same positions, a Dictionary with
// "DataTable" and the table's alias under "DataTableAs" or "BillTableAs".
// Each restricted table whose right is in force adds
// " CharIndex('<userId>',<alias>.FRightUserID)>0 ", joined by " And ".
// Answers false on any failure, leaving where with what was appended so far.
bool AddDataRightFilter(const QString& props, int32_t userId, const VectorPtr& tableNames, const VectorPtr& descriptors,
                        QString& where);

}  // namespace qor
