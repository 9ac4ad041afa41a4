#include "platform/controls/PropertyGridModel.h"

namespace qor::controls {

PropertyGridModel::PropertyGridModel(QObject* parent) : QAbstractTableModel(parent) {}

bool PropertyGridModel::Holds(const QModelIndex& index) const {
    return index.isValid() && index.model() == this && index.row() < rowCount() && index.column() < columns_;
}

void PropertyGridModel::Resize(int rows, int columns) {
    rows = std::max(rows, 0);
    columns = std::max(columns, 0);
    beginResetModel();
    rows_.resize(static_cast<size_t>(rows));
    for (auto& row : rows_) row.resize(static_cast<size_t>(columns));
    columns_ = columns;
    endResetModel();
}

const PropertyCell& PropertyGridModel::Cell(int row, int column) const {
    return rows_.at(static_cast<size_t>(row)).at(static_cast<size_t>(column));
}

void PropertyGridModel::SetCell(int row, int column, const PropertyCell& cell) {
    rows_.at(static_cast<size_t>(row)).at(static_cast<size_t>(column)) = cell;
    const QModelIndex changed = index(row, column);
    Q_EMIT dataChanged(changed, changed);
}

int PropertyGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int PropertyGridModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : columns_; }

QVariant PropertyGridModel::data(const QModelIndex& index, int role) const {
    if (!Holds(index)) return {};
    const PropertyCell& cell = Cell(index.row(), index.column());
    const bool checkBox = cell.kind == CellKind::CheckBox;
    switch (role) {
        case Qt::DisplayRole:
        case Qt::EditRole:
            return checkBox ? QVariant() : QVariant(cell.text);
        case Qt::CheckStateRole:
            return checkBox ? QVariant(cell.checked ? Qt::Checked : Qt::Unchecked) : QVariant();
        case Qt::BackgroundRole:
            return cell.backColor.isValid() ? QVariant(cell.backColor) : QVariant();
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(cell.alignment);
        default:
            return {};
    }
}

bool PropertyGridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!Holds(index)) return false;
    PropertyCell& cell = rows_[static_cast<size_t>(index.row())][static_cast<size_t>(index.column())];
    if (role == Qt::CheckStateRole && cell.kind == CellKind::CheckBox && !cell.locked) {
        cell.checked = value.value<Qt::CheckState>() == Qt::Checked;
        Q_EMIT dataChanged(index, index);
        Q_EMIT CheckToggled(index.row(), index.column());
        return true;
    }
    if (role == Qt::EditRole && cell.kind != CellKind::CheckBox && cell.kind != CellKind::StaticText) {
        cell.text = value.toString();
        Q_EMIT dataChanged(index, index);
        return true;
    }
    return false;
}

Qt::ItemFlags PropertyGridModel::flags(const QModelIndex& index) const {
    if (!Holds(index)) return Qt::NoItemFlags;
    const PropertyCell& cell = Cell(index.row(), index.column());
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (cell.locked || cell.kind == CellKind::StaticText) return flags;
    return flags | (cell.kind == CellKind::CheckBox ? Qt::ItemIsUserCheckable : Qt::ItemIsEditable);
}

}  // namespace qor::controls
