#pragma once

#include <QString>
#include <vector>

namespace qor::controls {

// The heights a printed page is made of, all in one unit (device pixels when
// printing). The header lines stand at the top, the footer lines at the
// bottom, the table between them with gap on either side; the table's header
// row is repeated on every page.
struct PageBands {
    double pageHeight = 0;  // the printable height, inside the margins
    double headerHeight = 0;
    double footerHeight = 0;
    double gap = 0;
    double headerRowHeight = 0;
    double rowHeight = 0;
};

// Data rows that fit on a page below the repeated header row; at least 1, so
// that every page moves the list on even when the bands leave no room.
int RowsPerPage(const PageBands& bands);

// Pages for dataRows rows; an empty list still prints one page with the
// header row.
int PageCount(int dataRows, int rowsPerPage);

// The ledger rows (row 1 is the header row, data rows start at 2) that page
// (1-based) prints; last < first when it prints none.
struct LedgerRowSpan {
    int first = 2;
    int last = 1;
};
LedgerRowSpan PageRows(int page, int rowsPerPage, int dataRows);

// text with "&[页]" replaced by page and "&[总页]" by pages.
QString SubstitutePageFields(const QString& text, int page, int pages);

// The zoom of a table whose columns want the larger of their grid and text
// widths: 1 when they fit into available, else the factor that makes them
// fit, but never below minScale (the text would become too small to read).
double TableScale(const std::vector<double>& gridWidths, const std::vector<double>& textWidths, double available,
                  double minScale);

// Column widths for a page available wide. Each column keeps at least its
// grid width and grows towards the width of its widest text while the page
// has room: the room is shared evenly, and a column that lacks less than its
// share takes only what it lacks. When even the grid widths do not fit, they
// are all scaled down by one factor.
std::vector<double> FitColumnWidths(const std::vector<double>& gridWidths, const std::vector<double>& textWidths,
                                    double available);

}  // namespace qor::controls
