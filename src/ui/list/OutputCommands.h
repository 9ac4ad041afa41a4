#pragma once

namespace qor {

class frmBatchTrace;

// Installs the export, print, print preview and page set-up commands of the
// list window (mnuExport, mnuPrint, mnuPrintPreview, mnuPrintSetup).
void InstallOutputCommands(frmBatchTrace& window);

}  // namespace qor
