#pragma once

#include "platform/base/Recordset.h"
#include "platform/base/Vector.h"
#include "src/ui/list/ListLayout.h"
#include "src/ui/list/TraceListGrid.h"

#include <QDialog>
#include <QHash>
#include <QSet>
#include <functional>
#include <memory>

class QFrame;
class QLabel;
class QStatusBar;

namespace qor::controls {
class KeyedTreeView;
class LedgerGrid;
class WindowMemory;
}  // namespace qor::controls

namespace qor {

class CDetail;
class ListMenus;
class ViewSettings;

// The main list window "客户BOM批次对应表": the item-group tree on the left,
// the record grid on the right, menus and the toolbar band above, the status
// bar below. Commands are found by the name of their menu item.
class frmBatchTrace : public QDialog {
    Q_OBJECT
public:
    explicit frmBatchTrace(QWidget* parent = nullptr);
    ~frmBatchTrace() override;

    VectorPtr VectCol() const { return vectCol_; }
    void SetVectCol(VectorPtr schema) { vectCol_ = std::move(schema); }

    // Start-up: context, data access, view options, grid, tree, command
    // state, fonts. Run once before the window is shown.
    void Load();
    void InitialLdg();
    // A copy of the list recordset positioned on the grid's current row.
    RecordsetPtr GetListData() const;
    void frm_FilterNow(QString strFilter);
    void frm_SortNow(const QString& strSort);
    // Reloads the grid for the selected tree node.
    void ReloadList();
    // Selects the first record of the list whose field shows value; nothing
    // when none does.
    void SelectRecord(const QString& field, const QString& value);
    // Selects the item's node, lists its records and selects the record, as
    // the find window asks; tells the user when the item is not in the tree.
    bool GoToRecord(int itemId, qint64 traceId);
    // Enables the record commands on item nodes, disables them on groups.
    void UpdateCommandState();
    // Runs the command of a menu item (a click on it, or on its tool).
    void RunMenu(const QString& menuName);
    // Commands arrive from their own files, each under its menu item's name.
    void SetCommand(const QString& menuName, std::function<void()> command);

    // Font routines of the grid and the tree.
    void ApplyStoredFontAtLoad();
    void ApplyReportFontSize();

    controls::LedgerGrid* Ldg() const { return ldgTrace_; }
    controls::KeyedTreeView* Tree() const { return tvwTrace_; }
    ListMenus* Menus() const { return menus_; }
    CDetail* Detail() const { return detail_.get(); }
    const QString& CurrentNodeKey() const { return currentNodeKey_; }
    double AppliedFontSize() const { return listGrid_->AppliedFontSize(); }
    // Where the view options are kept; tests point it elsewhere before Load.
    void SetSettingsPath(const QString& path) { settingsPath_ = path; }
    // The settings file in use, for the windows this one opens.
    const QString& SettingsPath() const { return settingsPath_; }

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // Remembers the user's window state as the window closes.
    void done(int result) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildWidgets();
    void LoadTree();
    // Adds the root, the groups and the items; false when the items could not be read.
    bool AddTreeNodes(const RecordsetPtr& groups);
    void NodeClick(const QString& key);
    void LoadList(const QString& sql);
    void ShowHeaderOnly();
    bool IsBannedRow(int row) const;
    void RestorePlacement();
    void RestoreColumnWidths();
    void FitUntouchedColumns();
    void SortByColumn(int col);
    void ShowHelp();
    void ToggleStatusBar();
    void ToggleToolBar();
    void TreeFollowsGridFont();
    void ResizeLayout();
    void ApplyLayout();
    double Twips(int pixels) const;
    int Pixels(double twips) const;

    VectorPtr vectCol_;
    std::unique_ptr<CDetail> detail_;
    std::unique_ptr<TraceListGrid> listGrid_;
    std::unique_ptr<ViewSettings> settings_;
    std::unique_ptr<controls::WindowMemory> memory_;
    QHash<int, int> userWidths_;  // column -> twips the user dragged it to
    QSet<int> fittedColumns_;
    QString settingsPath_;
    QString currentNodeKey_;
    QHash<QString, std::function<void()>> commands_;
    ListLayout layout_;
    bool moving_ = false;
    int forbidField_ = -1;  // FForbid in the list recordset
    int sortColumn_ = 0;    // the column a header click sorted the list by
    bool sortDescending_ = false;

    ListMenus* menus_ = nullptr;
    controls::KeyedTreeView* tvwTrace_ = nullptr;
    controls::LedgerGrid* ldgTrace_ = nullptr;
    QStatusBar* sbStatusBar_ = nullptr;
    QWidget* imgSplitVer_ = nullptr;
    QFrame* picSplitVer_ = nullptr;
    QFrame* line3_[2] = {};
    QFrame* line1_[2] = {};
    QLabel* lblFont_ = nullptr;
};

}  // namespace qor
