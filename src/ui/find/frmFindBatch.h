#pragma once

#include "src/data/TraceFinder.h"

#include <QDialog>
#include <QTimer>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;

namespace qor {

// "查找批次": one search field over every trace record, whatever its item,
// with the scope beside it (batch, sales order, customer BOM, item code,
// customer). Results follow the typing, newest first, a page at a time. Enter
// or a double click goes to the record in the list window, Shift+Enter opens
// it; the context menu traces the other way: every record of the row's batch,
// order or customer BOM.
class frmFindBatch : public QDialog {
    Q_OBJECT
public:
    static constexpr int kPageSize = 200;
    // How long typing must pause before the search runs.
    static constexpr int kTypingPauseMs = 250;

    explicit frmFindBatch(QWidget* parent = nullptr);

    // Where the window remembers its place for the user; none when empty.
    void SetSettingsPath(const QString& path) { settingsPath_ = path; }

    // Runs the search in the field now, from the newest record.
    void Search();
    // Runs the search shown again, so that the rows follow a save, a delete
    // or a ban.
    void Refresh();
    // Appends the next page.
    void More();
    // Searches the row's batch, order or customer BOM exactly (row from 0).
    void TraceRow(int row, FindScope scope);

    QComboBox* Scope() const { return cboScope_; }
    QLineEdit* Field() const { return txtFind_; }
    QCheckBox* Contains() const { return chkContains_; }
    QTreeWidget* Results() const { return lvwFound_; }
    QPushButton* MoreButton() const { return cmdMore_; }
    QString StatusText() const;

Q_SIGNALS:
    void GoToRecord(int itemId, qint64 traceId);
    void OpenRecord(int itemId, qint64 traceId);

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildWidgets();
    void Run(const TraceSearch& search, qint64 before);
    void ShowContextMenu(const QPoint& at);
    void Activate(bool open);

    QString settingsPath_;
    TraceSearch shown_;
    qint64 nextBefore_ = kFromNewest;
    bool more_ = false;
    bool placed_ = false;
    QTimer typingPause_;
    QComboBox* cboScope_ = nullptr;
    QLineEdit* txtFind_ = nullptr;
    QCheckBox* chkContains_ = nullptr;
    QTreeWidget* lvwFound_ = nullptr;
    QPushButton* cmdMore_ = nullptr;
    QLabel* lblStatus_ = nullptr;
};

}  // namespace qor
