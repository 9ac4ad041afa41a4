#pragma once

#include "platform/controls/PropertyCell.h"

#include <QAbstractTableModel>
#include <vector>

namespace qor::controls {

// The cells of a property grid, row by row. Locked and static cells are
// neither editable nor checkable; a user's click on a check box is reported
// by CheckToggled, programmatic changes are not.
class PropertyGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit PropertyGridModel(QObject* parent = nullptr);

    // Keeps the cells that still fit; new cells are default cells.
    void Resize(int rows, int columns);
    // row and column are 0-based here.
    const PropertyCell& Cell(int row, int column) const;
    void SetCell(int row, int column, const PropertyCell& cell);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

Q_SIGNALS:
    void CheckToggled(int row, int column);

private:
    bool Holds(const QModelIndex& index) const;

    std::vector<std::vector<PropertyCell>> rows_;
    int columns_ = 0;
};

}  // namespace qor::controls
