#include "platform/controls/KeyedTreeView.h"

#include "platform/base/HostError.h"

#include <QHeaderView>
#include <QMouseEvent>

namespace qor::controls {

namespace {
constexpr int kKeyRole = Qt::UserRole;
constexpr int kImageRole = Qt::UserRole + 1;
constexpr int kSelectedImageRole = Qt::UserRole + 2;
}  // namespace

KeyedTreeView::KeyedTreeView(QWidget* parent) : QTreeWidget(parent) {
    setHeaderHidden(true);
    setColumnCount(1);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformRowHeights(true);
    // Long group and item names scroll instead of being cut short.
    setTextElideMode(Qt::ElideNone);
    header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    header()->setStretchLastSection(false);
    connect(this, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* current, QTreeWidgetItem* previous) {
        if (previous) ShowImageOf(previous, false);
        if (current) ShowImageOf(current, true);
        if (current && !selecting_) Q_EMIT NodeClick(KeyOf(current));
    });
    // A click on the node that is already current still counts as a click.
    connect(this, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) {
        if (pressedOnCurrent_ && item == currentItem()) Q_EMIT NodeClick(KeyOf(item));
    });
    connect(this, &QTreeWidget::itemCollapsed, this,
            [this](QTreeWidgetItem* item) { Q_EMIT NodeCollapse(KeyOf(item)); });
}

void KeyedTreeView::mousePressEvent(QMouseEvent* event) {
    const QTreeWidgetItem* pressed = itemAt(event->position().toPoint());
    pressedOnCurrent_ = pressed && pressed == currentItem();
    QTreeWidget::mousePressEvent(event);
}

QString KeyedTreeView::KeyOf(const QTreeWidgetItem* item) { return item->data(0, kKeyRole).toString(); }

void KeyedTreeView::SetImages(std::vector<QIcon> images) { images_ = std::move(images); }

void KeyedTreeView::ShowImageOf(QTreeWidgetItem* item, bool selected) {
    const int image = item->data(0, selected ? kSelectedImageRole : kImageRole).toInt();
    if (image >= 1 && image <= static_cast<int>(images_.size()))
        item->setIcon(0, images_[static_cast<size_t>(image - 1)]);
}

void KeyedTreeView::AddNode(const QString& parentKey, const QString& key, const QString& text, int image,
                            int selectedImage) {
    if (nodes_.contains(key)) throw HostError(QStringLiteral("关键字不唯一: %1").arg(key));
    QTreeWidgetItem* item = nullptr;
    if (parentKey.isEmpty() && updating_) {
        item = new QTreeWidgetItem;
        pendingTopLevel_.append(item);
    } else if (parentKey.isEmpty()) {
        item = new QTreeWidgetItem(this);
    } else {
        QTreeWidgetItem* parent = nodes_.value(parentKey);
        if (!parent) throw HostError(QStringLiteral("找不到元素: %1").arg(parentKey));
        item = new QTreeWidgetItem(parent);
    }
    item->setText(0, text);
    item->setData(0, kKeyRole, key);
    item->setData(0, kImageRole, image);
    item->setData(0, kSelectedImageRole, selectedImage);
    ShowImageOf(item, false);
    nodes_.insert(key, item);
}

void KeyedTreeView::BeginUpdate() { updating_ = true; }

void KeyedTreeView::EndUpdate() {
    updating_ = false;
    addTopLevelItems(pendingTopLevel_);
    pendingTopLevel_.clear();
}

void KeyedTreeView::ClearNodes() {
    selecting_ = true;
    clear();
    nodes_.clear();
    selecting_ = false;
}

QString KeyedTreeView::NodeText(const QString& key) const {
    const QTreeWidgetItem* item = nodes_.value(key);
    return item ? item->text(0) : QString();
}

QString KeyedTreeView::ParentKey(const QString& key) const {
    const QTreeWidgetItem* item = nodes_.value(key);
    return item && item->parent() ? KeyOf(item->parent()) : QString();
}

QString KeyedTreeView::SelectedKey() const {
    const QTreeWidgetItem* item = currentItem();
    return item ? KeyOf(item) : QString();
}

void KeyedTreeView::SelectNode(const QString& key) {
    QTreeWidgetItem* item = nodes_.value(key);
    if (!item) return;
    selecting_ = true;
    setCurrentItem(item);
    selecting_ = false;
    scrollToItem(item);
}

}  // namespace qor::controls
