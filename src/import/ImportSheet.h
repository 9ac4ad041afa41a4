#pragma once

#include "platform/base/Recordset.h"

#include <QString>
#include <optional>
#include <vector>

namespace qor {

// The columns an import reads, by their captions as the export writes them.
enum class ImportColumn { Item, Batch, Order, Line, Bom, Ban };
inline constexpr int kImportColumnCount = 6;

QString CaptionOf(ImportColumn column);

// One row of the file, its cells by column (empty when the file has no such
// column or the cell is empty).
struct ImportLine {
    int fileRow = 0;
    QString cells[kImportColumnCount];
    const QString& Cell(ImportColumn column) const { return cells[static_cast<int>(column)]; }
};

struct ImportSheet {
    bool has[kImportColumnCount] = {};  // which columns the file has
    std::vector<ImportLine> lines;
    bool Has(ImportColumn column) const { return has[static_cast<int>(column)]; }
};

// Finds the caption row (the first row, among the first ten, that names both
// 物料代码 and 批号; a title above it is passed over) and takes the rows below
// it. The sheet is what the host's reader answers: FRow, then C1, C2, ...
// Throws HostError naming what is missing.
ImportSheet ReadImportSheet(const Recordset& sheet);

// 禁用 as the export writes it and people type it: Y/1 (and 是, TRUE) bans,
// empty/N/0 (and 否, FALSE) does not; nothing for any other text.
std::optional<bool> ParseBanFlag(const QString& text);

// What is wrong with a cell's text for a stored value, as the save component
// words it for the batch ("…不能超过 255 个字符！", "…中不能有控制字符！"), with the
// column's caption in front; empty when nothing is.
QString CellProblem(ImportColumn column, const QString& text);

}  // namespace qor
