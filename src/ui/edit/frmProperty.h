#pragma once

#include "platform/base/Recordset.h"
#include "platform/base/Vector.h"
#include "src/ui/edit/EditLayout.h"
#include "src/ui/edit/EditStatus.h"

#include <QDialog>
#include <QHash>
#include <QVariant>
#include <cstdint>
#include <functional>
#include <memory>

class QAction;
class QCheckBox;
class QTabWidget;
class QToolBar;

namespace qor::controls {
class LedgerGrid;
class PropertyGrid;
}  // namespace qor::controls

namespace qor {

class PropertyLookups;
class PropertyRows;
struct RowValue;

// The record edit window "客户BOM批次对应表信息": one trace record as a
// property grid built from the column schema, created, modified or viewed,
// with look-ups, required-field checks, saving and record-to-record steps
// over the list's recordset. The opener sets the properties, calls Load and
// shows it modally, then reads IsDirty.
class frmProperty : public QDialog {
    Q_OBJECT
public:
    explicit frmProperty(QWidget* parent = nullptr);
    ~frmProperty() override;

    RecordsetPtr Record() const { return record_; }
    void SetRecord(RecordsetPtr record) { record_ = std::move(record); }
    EditStatus Status() const { return status_; }
    void SetStatus(EditStatus status) { status_ = status; }
    VectorPtr DataProperty() const;
    void SetDataProperty(VectorPtr schema);
    int32_t InterID() const { return interId_; }
    void SetInterID(int32_t interId) { interId_ = interId; }
    controls::LedgerGrid* LdgFace() const { return ldgFace_; }
    void SetLdgFace(controls::LedgerGrid* grid) { ldgFace_ = grid; }
    void SetItemID(int32_t itemId) { itemId_ = itemId; }
    void SetItemName(const QString& itemName) { itemName_ = itemName; }
    bool IsDirty() const { return isDirty_; }
    // The batch number of the last record saved; empty before a save.
    const QString& SavedBatchNo() const { return savedBatchNo_; }
    // 1 when opened for a new record, 2 for modify or view; chooses the
    // operation-log texts.
    int16_t OperKind = 0;

    // Start-up: grid, record, toolbar state, tabs, font. Errors reach the
    // caller.
    void Load();
    // Where the window remembers its place for the user; none when empty.
    void SetSettingsPath(const QString& path) { settingsPath_ = path; }

    void InitGrid();
    // New: the opener's item for a new record; else the record.
    void LoadRecord(EditStatus mode);
    void ClearForNew();
    void LockCells(bool lock);
    int32_t FindRow(const QString& name) const;
    void ArrangeControls();

    int32_t LookupList(int col, int row, const QString& search);
    int32_t ResolveInput(int col, int row, const QString& text);
    int32_t CheckInput();
    int32_t SaveRecord();

    void MoveRecord(MoveDirection direction);
    void SetToolState();
    // A click on the toolbar button with this key.
    void ToolbarClick(const QString& key);

    controls::PropertyGrid* Grid() const { return vaSProperty_; }
    QAction* Tool(const QString& key) const;
    const RowValue& RowValues(int row) const;
    int32_t EntryID() const;
    bool DataChanged() const { return dataChanged_; }

protected:
    void done(int result) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QString settingsPath_;
    void BuildWidgets();
    void ConnectGrid();
    void GridKeyDown(int key);
    void GridKeyPress(int charCode, bool* cancel);
    void GridKeyUp();
    // No unsaved change: a record was loaded or saved.
    void MarkUnchanged();
    void CellLeaving(int row, bool* cancel);
    void NewClicked();
    void SaveClicked();
    // Runs a handler of a user's action; an error ends it with a notice.
    void Guarded(const std::function<void()>& action);
    QString ActiveValueText() const;
    double Twips(int pixels) const;
    int Pixels(double twips) const;

    RecordsetPtr record_;
    EditStatus status_ = EditStatus::New;
    int32_t interId_ = 0;
    controls::LedgerGrid* ldgFace_ = nullptr;
    int32_t itemId_ = 0;
    QString itemName_;
    bool isDirty_ = false;
    QString savedBatchNo_;
    bool dataChanged_ = false;
    QString textBeforeKey_;
    int keyDownRow_ = 0;  // the active row when the key went down
    EditLayout layout_;

    QToolBar* toolbar1_ = nullptr;
    // The commands of the toolbar's keys, lower-cased; 退出 and 删除 are not among them.
    QHash<QString, std::function<void()>> toolCommands_;
    QTabWidget* sstProperty_ = nullptr;
    QWidget* picPan_ = nullptr;
    controls::PropertyGrid* vaSProperty_ = nullptr;
    std::unique_ptr<PropertyRows> rows_;
    std::unique_ptr<PropertyLookups> lookups_;
};

}  // namespace qor
