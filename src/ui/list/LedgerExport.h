#pragma once

#include <QString>
#include <cstdint>

namespace qor::controls {
class LedgerGrid;
}

namespace qor {

// Hands the list as the grid shows it to the host's export component: the
// visible columns with their header texts as captions (size 255 each), the
// row count, then the export titled "客户BOM批次对应表", whose rows the
// component asks for through ExportEvents. A step that fails is skipped and
// the next one runs. fileName, when given, is the file to write without
// asking the user; raw keeps CSV cells as they are (no apostrophe before
// text a spreadsheet would run as a formula). Answers the component's
// result, -1 when it never ran.
int32_t ExportLedger(controls::LedgerGrid& grid, const QString& fileName = QString(), bool raw = false);

}  // namespace qor
