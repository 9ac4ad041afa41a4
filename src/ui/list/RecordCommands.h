#pragma once

#include "platform/base/Dictionary.h"
#include "platform/base/Recordset.h"
#include "platform/base/Vector.h"

#include <cstdint>

namespace qor {

class frmBatchTrace;

// Deletes the record of the grid's current row after asking: 1 deleted, -1
// nothing deleted, another value the save component's failure answer.
int32_t DeleteData(frmBatchTrace& window);

// Bans (ban true) or unbans the record of the grid's current row after
// asking: 1 when the save component took the change, -1 otherwise.
int32_t BanData(frmBatchTrace& window, bool ban);

// The record a ban or unban sends: the schema's visible columns by their
// names, with internal IDs for item, order and BOM, empty texts left out.
DictionaryPtr BanRecordMap(const VectorPtr& schema, const Recordset& record, bool ban);

// Installs delete, ban and unban, filter and sort on the window.
void InstallRecordCommands(frmBatchTrace& window);

}  // namespace qor
