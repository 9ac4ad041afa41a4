#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace qor::test {

// The rows of the first sheet of an .xlsx file as texts by column (inline and
// shared strings), as a spreadsheet program would read them.
QList<QStringList> XlsxRows(const QString& path);

}  // namespace qor::test
