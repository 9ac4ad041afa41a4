#pragma once

#include "platform/base/Recordset.h"
#include "platform/base/Vector.h"
#include "src/ui/edit/EditStatus.h"

#include <QString>
#include <cstdint>

namespace qor {

class PropertyRows;

// 1 when the item, the customer BOM and the batch number are chosen; -1
// after telling the user what is missing (or what went wrong).
int32_t CheckInput(const PropertyRows& rows);

// The request for the save component: "INS" and 0 for a new record, else "UPT"
// and the FTraceID of the record's current row; then the record's fields by
// name and "EntryID".
VectorPtr BuildSaveRequest(const PropertyRows& rows, int32_t entryId, EditStatus status, const RecordsetPtr& record);

}  // namespace qor
