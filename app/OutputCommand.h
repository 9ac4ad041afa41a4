#pragma once

#include "app/CommandLine.h"

namespace qor::app {

// qor-erp export: writes an item's list (or all records) to the .xlsx or
// .csv file --out names, as the export command of the list window writes it.
// Needs the export right.
int RunExport(const ShellOptions& options);

// qor-erp print: prints the pages of the list window's print command to the
// PDF file --out names. Needs the print right.
int RunPrint(const ShellOptions& options);

}  // namespace qor::app
