#include "platform/controls/PropertyGrid.h"

#include "platform/controls/PropertyCellDelegate.h"
#include "platform/controls/PropertyGridModel.h"
#include "platform/controls/Twips.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>

namespace qor::controls {

namespace {

constexpr int kDefaultRowPadding = 10;

bool IsEnter(const QKeyEvent* event) { return event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter; }

// Keys that move or cancel rather than type, although Qt gives them a text.
bool TypesNothing(const QKeyEvent* event) {
    const int key = event->key();
    return key == Qt::Key_Tab || key == Qt::Key_Backtab || key == Qt::Key_Escape;
}

}  // namespace

PropertyGrid::PropertyGrid(QWidget* parent)
    : QTableView(parent), model_(new PropertyGridModel(this)), delegate_(new PropertyCellDelegate(this)) {
    setModel(model_);
    setItemDelegate(delegate_);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked |
                    QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    horizontalHeader()->hide();
    verticalHeader()->hide();
    SetFontSize(font().pointSizeF());

    delegate_->SetKeyHandler([this](QWidget* editor, QKeyEvent* event) { return EditorKey(editor, event); });
    connect(delegate_, &PropertyCellDelegate::ValueEdited, this,
            [this](const QModelIndex& index) { Q_EMIT EditChange(index.column() + 1, index.row() + 1); });
    connect(model_, &PropertyGridModel::CheckToggled, this,
            [this](int row, int column) { Q_EMIT ButtonClicked(column + 1, row + 1); });
    connect(qApp, &QApplication::focusChanged, this, &PropertyGrid::FocusChanged);
}

int PropertyGrid::MaxRows() const { return model_->rowCount(); }

void PropertyGrid::SetMaxRows(int rows) { model_->Resize(rows, model_->columnCount()); }

void PropertyGrid::SetMaxCols(int cols) { model_->Resize(model_->rowCount(), cols); }

void PropertyGrid::SetRowShown(int row, bool shown) { setRowHidden(row - 1, !shown); }

QModelIndex PropertyGrid::At(int col, int row) const { return model_->index(row - 1, col - 1); }

template <typename Change>
void PropertyGrid::ChangeCell(int col, int row, Change change) {
    PropertyCell cell = model_->Cell(row - 1, col - 1);
    change(cell);
    model_->SetCell(row - 1, col - 1, cell);
}

void PropertyGrid::SetStaticText(int col, int row) {
    ChangeCell(col, row, [](PropertyCell& cell) { cell.kind = CellKind::StaticText; });
}

void PropertyGrid::SetTextCell(int col, int row, int maxLength, Qt::Alignment alignment) {
    ChangeCell(col, row, [&](PropertyCell& cell) {
        cell.kind = CellKind::Text;
        cell.maxLength = maxLength;
        cell.alignment = alignment;
    });
}

void PropertyGrid::SetIntegerCell(int col, int row, int minimum, int maximum, Qt::Alignment alignment) {
    ChangeCell(col, row, [&](PropertyCell& cell) {
        cell.kind = CellKind::Integer;
        cell.minimum = minimum;
        cell.maximum = maximum;
        cell.alignment = alignment;
    });
}

void PropertyGrid::SetDateCell(int col, int row) {
    ChangeCell(col, row, [](PropertyCell& cell) { cell.kind = CellKind::Date; });
}

void PropertyGrid::SetCheckBoxCell(int col, int row) {
    ChangeCell(col, row, [](PropertyCell& cell) { cell.kind = CellKind::CheckBox; });
}

void PropertyGrid::SetDefaultCell(int col, int row) {
    ChangeCell(col, row, [](PropertyCell& cell) { cell.kind = CellKind::Default; });
}

const PropertyCell& PropertyGrid::Cell(int col, int row) const { return model_->Cell(row - 1, col - 1); }

bool PropertyGrid::Locked(int col, int row) const { return Cell(col, row).locked; }

void PropertyGrid::SetLocked(int col, int row, bool locked) {
    if (locked && delegate_->EditedIndex() == At(col, row)) CloseOpenEditor();
    ChangeCell(col, row, [locked](PropertyCell& cell) { cell.locked = locked; });
}

void PropertyGrid::SetBackColor(int col, int row, const QColor& color) {
    ChangeCell(col, row, [&color](PropertyCell& cell) { cell.backColor = color; });
}

QString PropertyGrid::CellText(int col, int row) const {
    const PropertyCell& cell = Cell(col, row);
    if (cell.kind == CellKind::CheckBox) return cell.checked ? QStringLiteral("1") : QStringLiteral("0");
    if (delegate_->Editor() && delegate_->EditedIndex() == At(col, row)) return delegate_->EditorText();
    return cell.text;
}

void PropertyGrid::SetCellText(int col, int row, const QString& text) {
    ChangeCell(col, row, [&text](PropertyCell& cell) {
        if (cell.kind == CellKind::CheckBox)
            cell.checked = text.trimmed() == QLatin1String("1");
        else
            cell.text = text;
    });
}

bool PropertyGrid::Checked(int col, int row) const { return Cell(col, row).checked; }

void PropertyGrid::SetChecked(int col, int row, bool checked) {
    ChangeCell(col, row, [checked](PropertyCell& cell) { cell.checked = checked; });
}

int PropertyGrid::ActiveRow() const { return currentIndex().isValid() ? currentIndex().row() + 1 : 0; }

void PropertyGrid::SetActiveCell(int col, int row) {
    const QModelIndex index = At(col, row);
    if (index.isValid()) selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
}

double PropertyGrid::Dpi() const { return logicalDpiX() > 0 ? logicalDpiX() : 96; }

double PropertyGrid::ColWidth(int col) const { return PixelsToTwips(columnWidth(col - 1), Dpi()); }

void PropertyGrid::SetColWidth(int col, double twips) {
    setColumnWidth(col - 1, TwipsToPixels(twips > 0 ? twips : 0, Dpi()));
}

void PropertyGrid::SetFontSize(double points) {
    QFont sized = font();
    sized.setPointSizeF(points);
    setFont(sized);
    verticalHeader()->setDefaultSectionSize(QFontMetrics(sized).height() + kDefaultRowPadding);
}

bool PropertyGrid::EndEdit() {
    CloseOpenEditor();
    bool cancel = false;
    Q_EMIT Validate(&cancel);
    return !cancel;
}

void PropertyGrid::CloseOpenEditor() {
    if (QWidget* editor = delegate_->Editor()) {
        Q_EMIT delegate_->commitData(editor);
        Q_EMIT delegate_->closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
}

bool PropertyGrid::NotifyKeyDown(QKeyEvent* event) {
    Q_EMIT KeyDown(event->key(), event->modifiers());
    const QString text = event->text();
    if (text.isEmpty() || TypesNothing(event)) return true;
    bool cancel = false;
    Q_EMIT KeyPress(text.at(0).unicode(), &cancel);
    return !cancel;
}

void PropertyGrid::keyPressEvent(QKeyEvent* event) {
    if (event == editorKey_) {
        editorKey_ = nullptr;
        QTableView::keyPressEvent(event);
        return;
    }
    if (!NotifyKeyDown(event)) {
        event->accept();
        return;
    }
    if (IsEnter(event)) {
        event->accept();
        CommitOnEnter();
        return;
    }
    forwardedKey_ = event;
    QTableView::keyPressEvent(event);
    forwardedKey_ = nullptr;
}

QModelIndex PropertyGrid::TabTarget(bool next) const {
    const int columns = model()->columnCount();
    const int cells = model()->rowCount() * columns;
    const int step = next ? 1 : -1;
    const QModelIndex current = currentIndex();
    int place = current.isValid() ? current.row() * columns + current.column() : (step > 0 ? -1 : cells);
    for (place += step; place >= 0 && place < cells; place += step) {
        const int row = place / columns;
        const int col = place % columns;
        if (!isRowHidden(row) && !isColumnHidden(col) && !Locked(col + 1, row + 1)) return model()->index(row, col);
    }
    return {};
}

void PropertyGrid::keyReleaseEvent(QKeyEvent* event) {
    if (event == editorKey_)
        editorKey_ = nullptr;
    else
        Q_EMIT KeyUp(event->key(), event->modifiers());
    QTableView::keyReleaseEvent(event);
}

// Keys reach an open editor before the view. What the editor leaves unused
// goes on to the view, which must not notify it a second time.
bool PropertyGrid::EditorKey(QWidget* editor, QKeyEvent* event) {
    if (event == forwardedKey_) return false;
    if (event->type() == QEvent::KeyRelease) {
        Q_EMIT KeyUp(event->key(), event->modifiers());
        editorKey_ = event;
        return false;
    }
    const QPointer<QWidget> alive(editor);
    const bool keep = NotifyKeyDown(event);
    // The owner's answer to the key may have ended the edit (a look-up
    // window took the focus): the key has done its work.
    if (!alive || delegate_->Editor() != editor || !keep) return true;
    if (IsEnter(event)) {
        CommitOnEnter();
        return true;
    }
    editorKey_ = event;
    return false;
}

void PropertyGrid::CommitOnEnter() {
    const QModelIndex cell = currentIndex();
    CloseOpenEditor();
    if (!cell.isValid()) return;
    bool cancel = false;
    Q_EMIT LeaveCell(cell.column() + 1, cell.row() + 1, cell.column() + 1, cell.row() + 1, &cancel);
}

bool PropertyGrid::RequestLeave(const QModelIndex& target) {
    const QModelIndex from = currentIndex();
    if (!from.isValid() || !target.isValid() || target == from) return true;
    if (QWidget* editor = delegate_->Editor()) Q_EMIT delegate_->commitData(editor);
    bool cancel = false;
    Q_EMIT LeaveCell(from.column() + 1, from.row() + 1, target.column() + 1, target.row() + 1, &cancel);
    return !cancel;
}

QModelIndex PropertyGrid::moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) {
    const bool tab = cursorAction == MoveNext || cursorAction == MovePrevious;
    const QModelIndex target =
        tab ? TabTarget(cursorAction == MoveNext) : QTableView::moveCursor(cursorAction, modifiers);
    if (!target.isValid()) return target;
    return RequestLeave(target) ? target : currentIndex();
}

void PropertyGrid::mousePressEvent(QMouseEvent* event) {
    if (!RequestLeave(indexAt(event->position().toPoint()))) {
        event->accept();
        return;
    }
    QTableView::mousePressEvent(event);
}

// Only the active cell is edited, so a cursor kept in its cell by the owner
// does not leave an editor open elsewhere.
bool PropertyGrid::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) {
    if (index.isValid() && index != currentIndex()) return false;
    return QTableView::edit(index, trigger, event);
}

void PropertyGrid::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
    editorKey_ = nullptr;
    QTableView::closeEditor(editor, hint);
}

bool PropertyGrid::Contains(const QWidget* widget) const { return widget && (widget == this || isAncestorOf(widget)); }

void PropertyGrid::FocusChanged(QWidget* old, QWidget* now) {
    if (validating_ || !Contains(old) || Contains(now) || !now || now->window() != window()) return;
    validating_ = true;
    bool cancel = false;
    Q_EMIT Validate(&cancel);
    validating_ = false;
    if (cancel) setFocus(Qt::OtherFocusReason);
}

}  // namespace qor::controls
