#include "src/ui/list/TraceListGrid.h"

#include "platform/base/Convert.h"
#include "platform/controls/LedgerGrid.h"
#include "platform/controls/Twips.h"
#include "src/common/ColumnDescriptor.h"
#include "src/common/UserProfile.h"
#include "src/common/UserSetting.h"
#include "src/data/CDetail.h"
#include "src/ui/list/GridFonts.h"

#include <QLabel>

namespace qor {

namespace {

constexpr int kColumns = 7;
constexpr int kRowHeight = 250;

QString GridFontProfile() {
    return NullToEmpty(GetUserProfile(QStringLiteral("QOROrderBatchTrace"), QStringLiteral("frmBatchTrace"),
                                      QStringLiteral("GridFont"), QString()));
}

}  // namespace

TraceListGrid::TraceListGrid(controls::LedgerGrid& grid, QLabel& fontProbe) : grid_(grid), fontProbe_(fontProbe) {}

int TraceListGrid::Rows() const { return grid_.Rows(); }
void TraceListGrid::SetRows(int rows) { grid_.SetRows(rows); }
int TraceListGrid::Cols() const { return grid_.Cols(); }
void TraceListGrid::SetColHidden(int col, bool hidden) { grid_.SetColHidden(col, hidden); }

void TraceListGrid::InitialLdg(const VectorPtr& schema) {
    grid_.SetRows(1);
    grid_.SetCols(kColumns);
    grid_.SetBackColor(QColor(0xFF, 0xFF, 0xFF));
    grid_.SetRowHeight(kRowHeight);
    const std::vector<ColumnDescriptor> columns = ReadColumns(schema);
    for (int i = 1; i <= grid_.Cols(); ++i) {
        const bool listed = i <= static_cast<int>(columns.size()) && columns[static_cast<size_t>(i - 1)].listed;
        grid_.SetColWidth(i, listed ? columns[static_cast<size_t>(i - 1)].colWidth : 0);
    }
}

bool TraceListGrid::ApplyStoredFontAtLoad() {
    if (const std::optional<StoredGridFont> stored = ParseGridFont(GridFontProfile())) return ApplyStoredFont(*stored);
    appliedFontSize_ = 0;
    return ApplyReportFontSize();
}

bool TraceListGrid::ApplyReportFontSize() {
    if (!GridFontProfile().isEmpty()) return false;
    return ApplyReportSize(ReportFontSize());
}

bool TraceListGrid::ApplyUserFont() {
    if (const std::optional<StoredGridFont> stored = ParseGridFont(GridFontProfile())) return ApplyStoredFont(*stored);
    return ApplyReportSize(ReportFontSize());
}

bool TraceListGrid::ApplyStoredFont(const StoredGridFont& stored) {
    QFont font = grid_.font();
    font.setFamily(stored.name);
    if (stored.size > 0) font.setPointSizeF(stored.size);
    font.setBold(stored.bold);
    font.setItalic(stored.italic);
    grid_.SetGridFont(font);
    return true;
}

bool TraceListGrid::ApplyReportSize(double size) {
    if (!ShouldApplyReportSize(size, appliedFontSize_)) return false;
    appliedFontSize_ = size;
    QFont measured = fontProbe_.font();
    measured.setPointSizeF(size);
    fontProbe_.setFont(measured);
    const int rowHeight = ReportRowHeight(controls::PixelsToTwips(fontProbe_.sizeHint().height(), grid_));
    QFont font = grid_.font();
    font.setPointSizeF(size);
    grid_.SetGridFont(font);
    if (grid_.RowHeight() < rowHeight) grid_.SetRowHeight(rowHeight);
    return true;
}

bool TraceListGrid::TakeList(CDetail& detail, const QString& sql) {
    const bool taken = detail.TakeJournalData(sql);
    grid_.CellText(1, 1);
    return taken;
}

}  // namespace qor
