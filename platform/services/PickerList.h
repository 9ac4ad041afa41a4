#pragma once

#include "platform/services/RecordsetTableModel.h"

#include <QWidget>

class QLineEdit;
class QSortFilterProxyModel;
class QTableView;

namespace qor::services {

// The rows a picker offers under a search box that narrows them as the user
// types (any shown column containing the text, without regard to case).
// Keyboard first: the arrow and page keys move through the rows from the
// search box, Enter chooses, Esc leaves; a double click chooses too.
class PickerList : public QWidget {
    Q_OBJECT

public:
    explicit PickerList(QWidget* parent = nullptr);

    void SetRows(RecordsetPtr rows, const std::vector<PickerColumn>& columns, const QString& markField = {});
    // Puts text into the search box, narrowing the rows.
    void SetSearch(const QString& text);
    void SetSearchVisible(bool visible);
    void SetMultiSelect(bool on);
    void Clear();

    const RecordsetPtr& Rows() const { return model_->Rows(); }
    // Recordset row (0-based) of the current row, -1 when there is none.
    int CurrentRow() const;
    // Recordset rows of the selected rows in the order shown; the current row
    // alone when the list selects one row.
    std::vector<int> SelectedRows() const;

Q_SIGNALS:
    void Chosen();
    void Left();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Narrow(const QString& text);
    void SelectFirst();

    QLineEdit* search_;
    QTableView* table_;
    RecordsetTableModel* model_;
    QSortFilterProxyModel* proxy_;
};

}  // namespace qor::services
