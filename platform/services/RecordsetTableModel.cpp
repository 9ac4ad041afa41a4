#include "platform/services/RecordsetTableModel.h"

#include "platform/base/HostError.h"

#include <QBrush>
#include <QPalette>

namespace qor::services {

void RecordsetTableModel::Reset(RecordsetPtr rows, const std::vector<PickerColumn>& columns, const QString& markField) {
    std::vector<int> fields;
    QStringList captions;
    for (const PickerColumn& column : columns) {
        const int field = rows ? rows->FieldIndex(column.field) : -1;
        if (rows && field < 0) throw HostError(QStringLiteral("查询结果中没有字段 %1").arg(column.field));
        fields.push_back(field);
        captions.append(column.caption);
    }
    beginResetModel();
    rows_ = std::move(rows);
    fields_ = std::move(fields);
    captions_ = captions;
    markField_ = rows_ && !markField.isEmpty() ? rows_->FieldIndex(markField) : -1;
    endResetModel();
}

int RecordsetTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() || !rows_ ? 0 : rows_->RecordCount();
}

int RecordsetTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(captions_.size());
}

bool RecordsetTableModel::IsMarked(int row) const {
    return markField_ >= 0 && rows_->ValueAt(markField_, static_cast<size_t>(row)).toDouble() != 0;
}

QVariant RecordsetTableModel::data(const QModelIndex& index, int role) const {
    if (!rows_ || !index.isValid()) return {};
    const int field = fields_[static_cast<size_t>(index.column())];
    const auto row = static_cast<size_t>(index.row());
    switch (role) {
        case Qt::DisplayRole:
            return rows_->TextAt(field, row);
        case Qt::TextAlignmentRole:
            return rows_->Column(field).type == FieldType::Text ? QVariant()
                                                                : QVariant(Qt::AlignRight | Qt::AlignVCenter);
        case Qt::ForegroundRole:
            return IsMarked(index.row()) ? QVariant(QBrush(QPalette().color(QPalette::Disabled, QPalette::Text)))
                                         : QVariant();
        default:
            return {};
    }
}

QVariant RecordsetTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Vertical) return section + 1;
    return captions_.value(section);
}

}  // namespace qor::services
