#pragma once

#include "app/CommandLine.h"

namespace qor::app {

// qor-erp list: prints the header row and every data row of an item's list
// (or of all records) as the list window shows them, without a window.
// Needs the view right.
int RunList(const ShellOptions& options);

// qor-erp find: prints the records a search over every item finds, newest
// first, under a header row. Needs the view right.
int RunFind(const ShellOptions& options);

// qor-erp import: imports the rows of a CSV file or XLSX workbook; exit 4
// when rows were refused.
int RunImport(const ShellOptions& options);

}  // namespace qor::app
