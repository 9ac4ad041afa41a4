#include "src/ui/list/PrintHeaders.h"

#include "platform/base/Convert.h"
#include "platform/controls/LedgerPrint.h"
#include "src/common/LanguageResources.h"
#include "src/common/Messages.h"
#include "src/ui/list/LedgerReportLines.h"

namespace qor {

namespace {

const QString kDefaultFontName = QStringLiteral("宋体");

QString ReportFontName() {
    const DictionaryPtr props = GetFontProps();
    return props ? NullToEmpty(props->GetValue(QStringLiteral("Font.Name"), kDefaultFontName)) : kDefaultFontName;
}

void SetLine(controls::PrintLine& line, double size, const QString& text) {
    line.Font().SetName(ReportFontName());
    line.Font().SetSize(size);
    line.SetText(text);
}

}  // namespace

QString PrintDateText(const QDate& today) {
    return QStringLiteral("%1-%2-%3").arg(today.year(), 4, 10, QLatin1Char('0')).arg(today.month()).arg(today.day());
}

void SetupPrintHeaders(controls::LedgerPrint& printer, const QDate& today) {
    LedgerReportLines lines(printer);
    ApplyReportFonts(lines);
    printer.SetTableGap(0);

    controls::PrintLine& title = printer.Header(1);
    title.Font().SetName(ReportFontName());
    title.Font().SetSize(18);
    title.Font().SetBold(true);
    title.SetText(Translate(QStringLiteral("客户BOM批次对应表")));
    printer.Header(2).SetText(QStringLiteral(" "));
    SetLine(printer.Header(3), 9, Translate(QStringLiteral("打印日期:")) + PrintDateText(today));
    SetLine(printer.Footer(1), 9, QStringLiteral(" "));
    SetLine(printer.Footer(2), 9,
            Translate(QStringLiteral("第 &[页] 页")) + QString(8, u' ') + Translate(QStringLiteral("|共 &[总页] 页")));
}

}  // namespace qor
