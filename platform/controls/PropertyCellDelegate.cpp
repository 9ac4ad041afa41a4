#include "platform/controls/PropertyCellDelegate.h"

#include "platform/controls/PropertyGridModel.h"

#include <QDateEdit>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSpinBox>

namespace qor::controls {

namespace {

const QString kDateFormat = QStringLiteral("yyyy-MM-dd");

const PropertyCell* CellOf(const QModelIndex& index) {
    const auto* model = qobject_cast<const PropertyGridModel*>(index.model());
    return model ? &model->Cell(index.row(), index.column()) : nullptr;
}

}  // namespace

PropertyCellDelegate::PropertyCellDelegate(QObject* parent) : QStyledItemDelegate(parent) {}

QWidget* PropertyCellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                            const QModelIndex& index) const {
    const PropertyCell* cell = CellOf(index);
    if (!cell) return nullptr;
    QWidget* editor = nullptr;
    switch (cell->kind) {
        case CellKind::Integer: {
            auto* spin = new QSpinBox(parent);
            spin->setRange(cell->minimum, cell->maximum);
            spin->setAlignment(cell->alignment);
            spin->setFrame(false);
            editor = spin;
            break;
        }
        case CellKind::Date: {
            auto* date = new QDateEdit(parent);
            date->setDisplayFormat(kDateFormat);
            date->setCalendarPopup(true);
            date->setFrame(false);
            editor = date;
            break;
        }
        case CellKind::Text:
        case CellKind::Default: {
            auto* line = new QLineEdit(parent);
            if (cell->maxLength > 0) line->setMaxLength(cell->maxLength);
            line->setAlignment(cell->alignment);
            line->setFrame(false);
            editor = line;
            break;
        }
        case CellKind::StaticText:
        case CellKind::CheckBox:
            return nullptr;
    }
    editor_ = editor;
    editedIndex_ = index;
    WatchEdits(editor, index);
    return editor;
}

void PropertyCellDelegate::destroyEditor(QWidget* editor, const QModelIndex& index) const {
    if (editor == editor_) {
        editor_ = nullptr;
        editedIndex_ = QPersistentModelIndex();
    }
    QStyledItemDelegate::destroyEditor(editor, index);
}

void PropertyCellDelegate::WatchEdits(QWidget* editor, const QModelIndex& index) const {
    const QPersistentModelIndex cell(index);
    auto* self = const_cast<PropertyCellDelegate*>(this);
    auto edited = [self, cell] {
        if (!self->fillingEditor_) Q_EMIT self->ValueEdited(cell);
    };
    if (auto* line = qobject_cast<QLineEdit*>(editor)) connect(line, &QLineEdit::textEdited, self, edited);
    if (auto* spin = qobject_cast<QSpinBox*>(editor)) connect(spin, &QSpinBox::valueChanged, self, edited);
    if (auto* date = qobject_cast<QDateEdit*>(editor)) connect(date, &QDateEdit::dateChanged, self, edited);
}

void PropertyCellDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    const QString text = index.data(Qt::EditRole).toString();
    fillingEditor_ = true;
    if (auto* line = qobject_cast<QLineEdit*>(editor)) {
        if (line->text() != text) line->setText(text);
    } else if (auto* spin = qobject_cast<QSpinBox*>(editor)) {
        spin->setValue(text.toInt());
    } else if (auto* date = qobject_cast<QDateEdit*>(editor)) {
        const QDate value = QDate::fromString(text, kDateFormat);
        date->setDate(value.isValid() ? value : QDate::currentDate());
    }
    fillingEditor_ = false;
}

QString PropertyCellDelegate::EditorText() const {
    if (auto* line = qobject_cast<QLineEdit*>(editor_)) return line->text();
    if (auto* spin = qobject_cast<QSpinBox*>(editor_)) return QString::number(spin->value());
    if (auto* date = qobject_cast<QDateEdit*>(editor_)) return date->date().toString(kDateFormat);
    return QString();
}

void PropertyCellDelegate::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const {
    if (editor != editor_) return;
    model->setData(index, EditorText(), Qt::EditRole);
}

bool PropertyCellDelegate::eventFilter(QObject* object, QEvent* event) {
    auto* editor = qobject_cast<QWidget*>(object);
    const bool key = event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease;
    if (key && editor && keyHandler_ && keyHandler_(editor, static_cast<QKeyEvent*>(event))) return true;
    return QStyledItemDelegate::eventFilter(object, event);
}

}  // namespace qor::controls
