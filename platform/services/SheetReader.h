#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace qor::services {

// One row of a sheet as read: its number in the file (from 1) and its cells
// as text, empty cells included up to the last one that holds text.
struct SheetRow {
    int number = 0;
    QStringList cells;
};

// The rows of a CSV file or of a sheet of an .xlsx workbook (the first one,
// or the one named sheetName), blank rows left out. Reading stops with
// HostError, its description in Chinese naming the file, when the file is
// missing, empty, not CSV or XLSX, damaged, when the named sheet is missing
// or when it holds more than maxRows rows.
std::vector<SheetRow> ReadSheet(const QString& path, const QString& sheetName, int maxRows);

// The rows of CSV text: UTF-8 with or without a byte-order mark, else
// GB18030; comma or tab separated, whichever the first row uses more;
// fields quoted with double quotes may hold separators, quotes (doubled)
// and line breaks.
std::vector<SheetRow> ReadCsv(const QByteArray& bytes, const QString& path, int maxRows);

// The rows of an .xlsx workbook's sheet: shared, inline and formula texts (a
// formula's last computed value; nothing is computed here), numbers as the
// workbook writes them, TRUE/FALSE as 1/0.
std::vector<SheetRow> ReadXlsx(const QString& path, const QString& sheetName, int maxRows);

// What a reader throws when a sheet holds more rows than it may.
[[noreturn]] void RefuseTooManyRows(const QString& path, int maxRows);

}  // namespace qor::services
