#pragma once

#include "platform/base/Recordset.h"

#include <QAbstractTableModel>
#include <vector>

namespace qor::services {

// One column of a picker: the recordset field it shows and its header.
struct PickerColumn {
    QString field;
    QString caption;
};

// The rows of a recordset as a read-only table. Rows whose markField is not
// 0 are painted grey (banned records). Numbers are right-aligned.
class RecordsetTableModel : public QAbstractTableModel {
public:
    explicit RecordsetTableModel(QObject* parent = nullptr) : QAbstractTableModel(parent) {}

    // Throws HostError when a column names a field the recordset lacks.
    void Reset(RecordsetPtr rows, const std::vector<PickerColumn>& columns, const QString& markField = {});
    const RecordsetPtr& Rows() const { return rows_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    bool IsMarked(int row) const;

    RecordsetPtr rows_;
    std::vector<int> fields_;  // recordset field index of each column
    QStringList captions_;
    int markField_ = -1;
};

}  // namespace qor::services
