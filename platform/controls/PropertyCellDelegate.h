#pragma once

#include <QPersistentModelIndex>
#include <QPointer>
#include <QStyledItemDelegate>
#include <functional>

class QKeyEvent;

namespace qor::controls {

// Editors of the property grid's cells by their kind: a line edit limited to
// the cell's length, a spin box within the cell's range, a date edit. Keeps
// track of the one open editor, reports the user's edits with ValueEdited and
// lets the grid see every key an editor receives before anyone else does.
class PropertyCellDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    // Answers true when the key is handled and must go no further.
    using KeyHandler = std::function<bool(QWidget* editor, QKeyEvent* event)>;

    explicit PropertyCellDelegate(QObject* parent = nullptr);

    void SetKeyHandler(KeyHandler handler) { keyHandler_ = std::move(handler); }
    // The open editor and its cell; null and invalid when none is open.
    QWidget* Editor() const { return editor_; }
    QModelIndex EditedIndex() const { return editedIndex_; }
    // The text the open editor holds, in the form the cell keeps it.
    QString EditorText() const;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void destroyEditor(QWidget* editor, const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;

Q_SIGNALS:
    void ValueEdited(const QModelIndex& index);

protected:
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    void WatchEdits(QWidget* editor, const QModelIndex& index) const;

    KeyHandler keyHandler_;
    mutable QPointer<QWidget> editor_;
    mutable QPersistentModelIndex editedIndex_;
    mutable bool fillingEditor_ = false;
};

}  // namespace qor::controls
