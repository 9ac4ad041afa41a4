#pragma once

#include "src/common/ReportLines.h"

namespace qor::controls {
class LedgerPrint;
}

namespace qor {

// The header and footer lines of a ledger grid's print object, as the shared
// report-font routine sets them.
class LedgerReportLines : public ReportLines {
public:
    explicit LedgerReportLines(controls::LedgerPrint& printer) : printer_(printer) {}

    void SetHeaderFont(int line, const QString& name, int charset) override;
    void SetFooterFont(int line, const QString& name, int charset) override;

private:
    controls::LedgerPrint& printer_;
};

}  // namespace qor
