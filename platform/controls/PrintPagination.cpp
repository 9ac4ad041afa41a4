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
    // The room is shared evenly, and a column that lacks less than its share
    // takes only what it lacks: short texts and captions are printed whole
    // before one long text takes the rest.
    std::vector<size_t> order(fitted.size());
    std::iota(order.begin(), order.end(), size_t{0});
    std::sort(order.begin(), order.end(), [&lacking](size_t a, size_t b) { return lacking[a] < lacking[b]; });
    double spare = available - total;
    size_t sharing = static_cast<size_t>(std::count_if(lacking.begin(), lacking.end(), [](double l) { return l > 0; }));
    for (const size_t i : order) {
        if (lacking[i] <= 0) continue;
        const double given = std::min(lacking[i], spare / static_cast<double>(sharing--));
        fitted[i] += given;
        spare -= given;
    }
    return fitted;
}

}  // namespace qor::controls
