#pragma once

#include <QString>
#include <cstdint>

namespace qor {

class frmBatchTrace;

// Installs the list window's new and modify commands ("mnuEditNew",
// "mnuEditModify"): each opens the edit window modally and reloads the list
// when a record was saved in it.
void InstallEditCommands(frmBatchTrace& window);

// The item the new record starts from: its ID, code (the short number when
// useShortNumber), name and model.
QString ItemRecordSql(int32_t itemId, bool useShortNumber);

}  // namespace qor
