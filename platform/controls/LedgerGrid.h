#pragma once

#include <QColor>
#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

class QTableView;

namespace qor::controls {

class LedgerModel;
class LedgerPrint;

// A record grid that holds no data. Its owner sets the row count (row 1 is
// the header row, so 1 means empty) and answers RowCells for every row the
// grid needs to show: the texts of the row's cells. Widths and the row
// height are in twips.
class LedgerGrid : public QWidget {
    Q_OBJECT
public:
    explicit LedgerGrid(QWidget* parent = nullptr);
    ~LedgerGrid() override;

    int Rows() const;
    void SetRows(int rows);
    int Cols() const;
    void SetCols(int cols);
    // Columns are 1-based.
    int ColWidth(int col) const;
    void SetColWidth(int col, int twips);
    bool ColHidden(int col) const;
    void SetColHidden(int col, bool hidden);
    int RowHeight() const { return rowHeight_; }
    void SetRowHeight(int twips);
    void SetBackColor(const QColor& color);
    // Font of cells and header; the grid's font, as QWidget::font().
    void SetGridFont(const QFont& font);

    // The ledger row last selected; 1 (the header) until a record row is.
    // It keeps its number when the row count changes, until the user or
    // SetCurrentRow selects another row: whoever loads new rows sets it.
    int CurrentRow() const { return currentRow_; }
    // Selects and shows a record row; a row below 2 leaves no row selected.
    void SetCurrentRow(int row);
    // Text of a cell of any row, shown or not (row 1 is the header row).
    QString CellText(int row, int col) const;
    // Redraws; every shown row is asked for again.
    void Refresh();
    // Rows for which muted answers true are drawn in the disabled text colour.
    void SetRowMuted(std::function<bool(int row)> muted);
    // Shows the column the list is sorted by (0: none) and its direction.
    void ShowSortColumn(int col, bool descending);
    // Widens a shown column to its header and the texts of the rows in view;
    // never narrows it.
    void FitColumnToContents(int col);

    QTableView* View() const { return view_; }

    // The print object: prints, previews and sets up pages of what the grid shows.
    LedgerPrint& Printer();

Q_SIGNALS:
    // Owner fills *cells with the texts of the row's cells.
    void RowCells(int row, QStringList* cells);
    // The user activated a row (double click or Enter).
    void RowActivated(int row);
    // The user clicked the header of column col (1-based).
    void HeaderClicked(int col);
    // The user dragged column col to a new width (ColWidth tells it).
    void ColumnResizedByUser(int col);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    QStringList RequestRow(int row);
    void ApplyColumn(int col);
    void ApplyRowHeight();
    void ShowCurrentRow();

    QTableView* view_;
    LedgerModel* model_;
    std::vector<int> widths_;  // twips, index col - 1
    std::vector<bool> hidden_;
    int rowHeight_ = 250;
    int currentRow_ = 1;
    bool applying_ = false;  // widths set by the grid itself, not by the user
    std::unique_ptr<LedgerPrint> printer_;
};

}  // namespace qor::controls
