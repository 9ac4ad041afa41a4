#pragma once

#include "platform/controls/PropertyCell.h"

#include <QTableView>

class QKeyEvent;

namespace qor::controls {

class PropertyCellDelegate;
class PropertyGridModel;

// A grid of typed cells addressed by 1-based column and row, as a property
// sheet: static captions, text up to a length, integers within a range,
// dates and check boxes, each cell lockable. The owner follows the user
// through notifications and may cancel some of them:
// - KeyDown, KeyPress (the character a key types, Enter and Backspace
//   included, Tab and Escape not; cancel swallows it) and KeyUp, for keys
//   typed on the grid or into an open editor;
// - LeaveCell before the cursor moves to another cell by key or mouse
//   (cancel keeps it where it is); Enter commits the cell and notifies as if
//   the cursor left it, with the same cell as the new one;
// - Validate when the focus is about to go to another control of the window
//   (cancel brings it back), and from EndEdit;
// - EditChange while a value is being edited, ButtonClicked when the user
//   ticks or clears a check box.
// Programmatic changes (SetCellText, SetActiveCell, ...) notify nothing.
class PropertyGrid : public QTableView {
    Q_OBJECT
public:
    explicit PropertyGrid(QWidget* parent = nullptr);

    int MaxRows() const;
    void SetMaxRows(int rows);
    void SetMaxCols(int cols);
    void SetRowShown(int row, bool shown);

    // Cell kinds; each keeps the cell's text, lock and colour.
    void SetStaticText(int col, int row);
    void SetTextCell(int col, int row, int maxLength, Qt::Alignment alignment);
    void SetIntegerCell(int col, int row, int minimum, int maximum, Qt::Alignment alignment);
    void SetDateCell(int col, int row);
    void SetCheckBoxCell(int col, int row);
    void SetDefaultCell(int col, int row);
    const PropertyCell& Cell(int col, int row) const;

    bool Locked(int col, int row) const;
    void SetLocked(int col, int row, bool locked);
    // An invalid colour gives the cell back the grid's background.
    void SetBackColor(int col, int row, const QColor& color);

    // The cell's text; while the cell is being edited, what its editor holds.
    // A check box reads "1" when ticked and "0" when not, and is ticked by
    // the text "1".
    QString CellText(int col, int row) const;
    void SetCellText(int col, int row, const QString& text);
    bool Checked(int col, int row) const;
    void SetChecked(int col, int row, bool checked);

    // The active cell; 0 when there is none.
    int ActiveRow() const;
    void SetActiveCell(int col, int row);

    double ColWidth(int col) const;  // twips
    void SetColWidth(int col, double twips);
    void SetFontSize(double points);

    // Commits an open editor and asks the owner to validate as when the
    // focus leaves the grid; false when the owner cancelled.
    bool EndEdit();

Q_SIGNALS:
    void KeyDown(int key, Qt::KeyboardModifiers modifiers);
    void KeyPress(int charCode, bool* cancel);
    void KeyUp(int key, Qt::KeyboardModifiers modifiers);
    void LeaveCell(int col, int row, int newCol, int newRow, bool* cancel);
    void Validate(bool* cancel);
    void EditChange(int col, int row);
    void ButtonClicked(int col, int row);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;
    // Where Tab (next) or Shift+Tab goes: the next cell that takes input, or
    // nothing past the last (the first), which leaves the grid.
    QModelIndex TabTarget(bool next) const;
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;

private:
    bool EditorKey(QWidget* editor, QKeyEvent* event);
    // KeyDown and KeyPress for a key going down; false when the owner
    // cancelled its character.
    bool NotifyKeyDown(QKeyEvent* event);
    void CommitOnEnter();
    bool RequestLeave(const QModelIndex& target);
    void CloseOpenEditor();
    void FocusChanged(QWidget* old, QWidget* now);
    bool Contains(const QWidget* widget) const;
    QModelIndex At(int col, int row) const;
    template <typename Change>
    void ChangeCell(int col, int row, Change change);
    double Dpi() const;

    PropertyGridModel* model_;
    PropertyCellDelegate* delegate_;
    // A key the view hands on to the editor it opens with it, and a key an
    // editor passed on to the view: both already notified.
    const QEvent* forwardedKey_ = nullptr;
    const QEvent* editorKey_ = nullptr;
    bool validating_ = false;
};

}  // namespace qor::controls
