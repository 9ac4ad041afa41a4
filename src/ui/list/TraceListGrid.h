#pragma once

#include "platform/base/Vector.h"
#include "src/data/ListGrid.h"
#include "src/ui/list/GridFonts.h"

#include <QString>

class QLabel;

namespace qor::controls {
class LedgerGrid;
}

namespace qor {

class CDetail;

// The list's ledger grid as the list window and the headless list, export
// and print set it up: columns from the schema, the user's grid font, and the
// list loaded through CDetail, which sizes the grid through this adapter. One
// set-up for both, so the command line shows what the window shows.
class TraceListGrid final : public ListGrid {
public:
    // fontProbe: a label whose height at the report font size gives the row
    // height; the grid and the label outlive this object.
    TraceListGrid(controls::LedgerGrid& grid, QLabel& fontProbe);

    int Rows() const override;
    void SetRows(int rows) override;
    int Cols() const override;
    void SetColHidden(int col, bool hidden) override;

    // Header row only, seven columns, white, row height 250; a column's width
    // is its descriptor's FColWidth when FColVisible is 1, else 0.
    void InitialLdg(const VectorPtr& schema);
    // The user's stored "GridFont" when there is one, else the report font
    // size. True when the grid's font changed.
    bool ApplyStoredFontAtLoad();
    // The user's report font size with a row height to fit it; nothing while
    // a "GridFont" is stored or when the size was applied last. True when
    // the grid's font changed.
    bool ApplyReportFontSize();
    double AppliedFontSize() const { return appliedFontSize_; }
    // Once, without a window to activate: the stored "GridFont", else the
    // report font size, reading the user's profile once.
    bool ApplyUserFont();

    // Runs the list statement through CDetail (sizing the grid) and has the
    // header row tell the grid which columns the schema hides. False when
    // CDetail could not read the list (it has shown why).
    bool TakeList(CDetail& detail, const QString& sql);

private:
    bool ApplyStoredFont(const StoredGridFont& stored);
    bool ApplyReportSize(double size);

    controls::LedgerGrid& grid_;
    QLabel& fontProbe_;
    double appliedFontSize_ = 0;
};

}  // namespace qor
