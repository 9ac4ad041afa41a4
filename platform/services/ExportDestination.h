#pragma once

#include <QString>
#include <optional>

class QWidget;

namespace qor::services {

enum class SheetFormat { Xlsx, Csv };

// The format a file name asks for by its suffix (case ignored); none for
// another suffix.
std::optional<SheetFormat> SheetFormatOf(const QString& path);

// Asks where to save an export: a save dialog offering an Excel workbook
// (.xlsx, the default) and CSV, proposing the title as file name. The answer
// always ends in .xlsx or .csv; empty when the user cancelled.
QString AskExportFile(const QString& title, QWidget* parent);

}  // namespace qor::services
