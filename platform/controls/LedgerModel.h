#pragma once

#include <QAbstractTableModel>
#include <QColor>
#include <QStringList>
#include <functional>

namespace qor::controls {

// Table model of the ledger grid. It holds no data: each cell asks the row
// source for the cells of its ledger row when the view paints it. Ledger row 1 is the header row; model row r is ledger
// row r + 2.
class LedgerModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using RowSource = std::function<QStringList(int ledgerRow)>;

    explicit LedgerModel(RowSource source, QObject* parent = nullptr);

    // Ledger rows including the header row (1 = empty).
    int LedgerRows() const { return dataRows_ + 1; }
    void SetLedgerRows(int rows);
    int Columns() const { return columns_; }
    void SetColumns(int columns);
    // Drops every row the view has seen, so the next paint asks again.
    void Reload();

    // Rows muted answers true for are drawn in colour.
    void SetRowMuted(std::function<bool(int ledgerRow)> muted, const QColor& colour);

    // Cell text of a ledger row, 1-based column; empty beyond the row's cells.
    QString CellText(int ledgerRow, int column) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    void Forget();

    RowSource source_;
    mutable int lastRow_ = 0;  // the row lastCells_ holds; 0: none
    mutable QStringList lastCells_;
    std::function<bool(int)> muted_;
    QColor mutedColour_;
    int dataRows_ = 0;
    int columns_ = 0;
};

}  // namespace qor::controls
