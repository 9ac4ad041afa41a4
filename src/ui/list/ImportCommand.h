#pragma once

namespace qor {

class frmBatchTrace;

// File → 引入...: a CSV file or XLSX workbook chosen, its rows previewed with
// their verdicts, written on 确定, and the list read again.
void InstallImportCommand(frmBatchTrace& window);

}  // namespace qor
