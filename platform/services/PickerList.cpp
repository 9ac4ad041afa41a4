#include "platform/services/PickerList.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

namespace qor::services {

namespace {

bool IsMoveKey(int key) {
    return key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_PageUp || key == Qt::Key_PageDown;
}

bool IsEnterKey(int key) { return key == Qt::Key_Return || key == Qt::Key_Enter; }

}  // namespace

PickerList::PickerList(QWidget* parent)
    : QWidget(parent),
      search_(new QLineEdit(this)),
      table_(new QTableView(this)),
      model_(new RecordsetTableModel(this)),
      proxy_(new QSortFilterProxyModel(this)) {
    search_->setObjectName(QStringLiteral("txtSearch"));
    search_->setPlaceholderText(QStringLiteral("输入代码或名称查找"));
    search_->setClearButtonEnabled(true);
    table_->setObjectName(QStringLiteral("grdRows"));

    proxy_->setSourceModel(model_);
    proxy_->setFilterKeyColumn(-1);
    proxy_->setFilterCaseSensitivity(Qt::CaseInsensitive);
    table_->setModel(proxy_);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setAlternatingRowColors(true);
    table_->setWordWrap(false);
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 8);
    table_->horizontalHeader()->setStretchLastSection(true);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(search_);
    layout->addWidget(table_, 1);
    setFocusProxy(search_);

    connect(search_, &QLineEdit::textChanged, this, &PickerList::Narrow);
    connect(table_, &QTableView::doubleClicked, this, &PickerList::Chosen);
    search_->installEventFilter(this);
    table_->installEventFilter(this);
}

void PickerList::SetRows(RecordsetPtr rows, const std::vector<PickerColumn>& columns, const QString& markField) {
    model_->Reset(std::move(rows), columns, markField);
    table_->resizeColumnsToContents();
    SelectFirst();
}

void PickerList::SetSearch(const QString& text) { search_->setText(text); }

void PickerList::SetSearchVisible(bool visible) {
    search_->setVisible(visible);
    setFocusProxy(visible ? static_cast<QWidget*>(search_) : table_);
}

void PickerList::SetMultiSelect(bool on) {
    table_->setSelectionMode(on ? QAbstractItemView::ExtendedSelection : QAbstractItemView::SingleSelection);
}

void PickerList::Clear() { model_->Reset(nullptr, {}); }

int PickerList::CurrentRow() const {
    const QModelIndex current = table_->currentIndex();
    return current.isValid() ? proxy_->mapToSource(current).row() : -1;
}

std::vector<int> PickerList::SelectedRows() const {
    std::vector<int> rows;
    if (table_->selectionMode() == QAbstractItemView::SingleSelection) {
        if (CurrentRow() >= 0) rows.push_back(CurrentRow());
        return rows;
    }
    QModelIndexList selected = table_->selectionModel()->selectedRows();
    std::sort(selected.begin(), selected.end(),
              [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
    for (const QModelIndex& index : selected) rows.push_back(proxy_->mapToSource(index).row());
    return rows;
}

void PickerList::Narrow(const QString& text) {
    proxy_->setFilterFixedString(text.trimmed());
    SelectFirst();
}

void PickerList::SelectFirst() {
    if (proxy_->rowCount() > 0)
        table_->selectRow(0);
    else
        table_->setCurrentIndex(QModelIndex());
}

bool PickerList::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return QWidget::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    if (IsEnterKey(key->key())) {
        Q_EMIT Chosen();
        return true;
    }
    if (key->key() == Qt::Key_Escape) {
        Q_EMIT Left();
        return true;
    }
    if (watched == search_ && IsMoveKey(key->key())) {
        QApplication::sendEvent(table_, event);
        return true;
    }
    if (watched == table_ && search_->isVisible() && !key->text().isEmpty() && key->text().at(0).isPrint()) {
        search_->setFocus();
        QApplication::sendEvent(search_, event);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace qor::services
