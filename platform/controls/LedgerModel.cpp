#include "platform/controls/LedgerModel.h"

namespace qor::controls {

LedgerModel::LedgerModel(RowSource source, QObject* parent) : QAbstractTableModel(parent), source_(std::move(source)) {}

void LedgerModel::SetLedgerRows(int rows) {
    beginResetModel();
    Forget();
    dataRows_ = rows > 1 ? rows - 1 : 0;
    endResetModel();
}

void LedgerModel::SetColumns(int columns) {
    beginResetModel();
    Forget();
    columns_ = columns > 0 ? columns : 0;
    endResetModel();
}

void LedgerModel::Reload() {
    beginResetModel();
    Forget();
    endResetModel();
}

void LedgerModel::Forget() { lastRow_ = 0; }

// The view and the export ask cell by cell, along a row: the row is asked
// for once and its cells kept until another row is asked for.
QString LedgerModel::CellText(int ledgerRow, int column) const {
    if (ledgerRow < 1 || column < 1) return {};
    if (ledgerRow != lastRow_) {
        lastCells_ = source_(ledgerRow);
        lastRow_ = ledgerRow;
    }
    return lastCells_.value(column - 1);
}

int LedgerModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : dataRows_; }

int LedgerModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : columns_; }

void LedgerModel::SetRowMuted(std::function<bool(int ledgerRow)> muted, const QColor& colour) {
    muted_ = std::move(muted);
    mutedColour_ = colour;
}

QVariant LedgerModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    if (role == Qt::ForegroundRole && muted_ && muted_(index.row() + 2)) return mutedColour_;
    if (role != Qt::DisplayRole) return {};
    return CellText(index.row() + 2, index.column() + 1);
}

QVariant LedgerModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    return CellText(1, section + 1);
}

}  // namespace qor::controls
