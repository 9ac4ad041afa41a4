#pragma once

#include "src/import/TraceImport.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QPushButton;
class QSortFilterProxyModel;
class QTableView;

namespace qor {

class ImportRowsModel;

// "引入": the rows of the file with what the import would do with each
// (新增, 修改, 不变 or 拒绝 and why), before anything is written. 确定 writes,
// with a progress bar whose cancel rolls everything back; 取消 leaves the
// company untouched. With refused rows, 确定 waits until the user chooses to
// import only the rows without problems.
class frmImport : public QDialog {
    Q_OBJECT
public:
    frmImport(TraceImport& import, const QString& fileName, QWidget* parent = nullptr);
    ~frmImport() override;

    QTableView* Rows() const { return lvwRows_; }
    QCheckBox* Partial() const { return chkPartial_; }
    QCheckBox* RefusedOnly() const { return chkRefusedOnly_; }
    QPushButton* OkButton() const { return cmdOK_; }
    QString Summary() const;
    // What the last write came to, once 确定 was pressed.
    std::optional<TraceImport::Outcome> Outcome() const { return outcome_; }

    void Ok();

private:
    void UpdateState();

    TraceImport& import_;
    std::optional<TraceImport::Outcome> outcome_;
    ImportRowsModel* model_ = nullptr;
    QSortFilterProxyModel* shown_ = nullptr;
    QLabel* lblSummary_ = nullptr;
    QTableView* lvwRows_ = nullptr;
    QCheckBox* chkRefusedOnly_ = nullptr;
    QCheckBox* chkPartial_ = nullptr;
    QPushButton* cmdOK_ = nullptr;
    QPushButton* cmdCancel_ = nullptr;
};

}  // namespace qor
