#include "platform/controls/PrintPagination.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace qor::controls {

int RowsPerPage(const PageBands& bands) {
    if (bands.rowHeight <= 0) return 1;
    const double room =
        bands.pageHeight - bands.headerHeight - bands.footerHeight - 2 * bands.gap - bands.headerRowHeight;
    // A row that fits to within rounding noise still fits.
    const int rows = static_cast<int>(std::floor(room / bands.rowHeight + 1e-9));
    return std::max(rows, 1);
}

int PageCount(int dataRows, int rowsPerPage) {
    if (dataRows <= 0 || rowsPerPage <= 0) return 1;
    return (dataRows + rowsPerPage - 1) / rowsPerPage;
}

LedgerRowSpan PageRows(int page, int rowsPerPage, int dataRows) {
    if (page < 1 || rowsPerPage <= 0) return {};
    const int first = 2 + (page - 1) * rowsPerPage;
    const int last = std::min(first + rowsPerPage - 1, dataRows + 1);
    return {first, last};
}

QString SubstitutePageFields(const QString& text, int page, int pages) {
    QString out = text;
    out.replace(QStringLiteral("&[总页]"), QString::number(pages));
    out.replace(QStringLiteral("&[页]"), QString::number(page));
    return out;
}

double TableScale(const std::vector<double>& gridWidths, const std::vector<double>& textWidths, double available,
                  double minScale) {
    double wanted = 0;
    for (size_t i = 0; i < gridWidths.size(); ++i)
        wanted += std::max(gridWidths[i], i < textWidths.size() ? textWidths[i] : 0.0);
    if (wanted <= available) return 1;
    return std::max(available / wanted, minScale);
}

std::vector<double> FitColumnWidths(const std::vector<double>& gridWidths, const std::vector<double>& textWidths,
                                    double available) {
    const double total = std::accumulate(gridWidths.begin(), gridWidths.end(), 0.0);
    std::vector<double> fitted = gridWidths;
    if (total >= available) {
        const double factor = total > 0 ? std::max(available, 0.0) / total : 0;
        for (double& w : fitted) w *= factor;
        return fitted;
    }
    std::vector<double> lacking(gridWidths.size(), 0.0);
    for (size_t i = 0; i < gridWidths.size() && i < textWidths.size(); ++i)
        lacking[i] = std::max(textWidths[i] - gridWidths[i], 0.0);
    const double lacked = std::accumulate(lacking.begin(), lacking.end(), 0.0);
    if (lacked <= 0) return fitted;
    const double share = std::min((available - total) / lacked, 1.0);
    for (size_t i = 0; i < fitted.size(); ++i) fitted[i] += lacking[i] * share;
    return fitted;
}

}  // namespace qor::controls
