#include "src/ui/list/LedgerReportLines.h"

#include "platform/controls/LedgerPrint.h"

namespace qor {

void LedgerReportLines::SetHeaderFont(int line, const QString& name, int charset) {
    controls::PrintFont& font = printer_.Header(line).Font();
    font.SetName(name);
    font.SetCharset(charset);
}

void LedgerReportLines::SetFooterFont(int line, const QString& name, int charset) {
    controls::PrintFont& font = printer_.Footer(line).Font();
    font.SetName(name);
    font.SetCharset(charset);
}

}  // namespace qor
