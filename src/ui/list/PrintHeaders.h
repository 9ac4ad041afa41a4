#pragma once

#include <QDate>
#include <QString>

namespace qor::controls {
class LedgerPrint;
}

namespace qor {

// today as the header prints it, "YYYY-M-D": 7 March 2024 is 2024-3-7.
QString PrintDateText(const QDate& today);

// Prepares the list's print before every print and preview: the report fonts
// on all twenty lines, no gap around the table, then the title "客户BOM批次对应表"
// (size 18, bold), a blank line and "打印日期:" with today's date above the
// table, a blank line and "第 &[页] 页        |共 &[总页] 页" below it. Errors
// of the font settings reach the caller.
void SetupPrintHeaders(controls::LedgerPrint& printer, const QDate& today = QDate::currentDate());

}  // namespace qor
