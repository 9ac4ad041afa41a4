#pragma once

#include <QHash>
#include <QIcon>
#include <QTreeWidget>
#include <vector>

namespace qor::controls {

// A tree whose nodes are addressed by text keys, with an image list of icons
// numbered from 1 (normal and selected image per node). Selecting a node by
// mouse or keyboard raises NodeClick; collapsing one raises NodeCollapse.
class KeyedTreeView : public QTreeWidget {
    Q_OBJECT
public:
    explicit KeyedTreeView(QWidget* parent = nullptr);

    void SetImages(std::vector<QIcon> images);
    // Adds a node under parentKey (empty: a top-level node). Throws HostError
    // when the key is already present or the parent is not in the tree.
    void AddNode(const QString& parentKey, const QString& key, const QString& text, int image, int selectedImage);
    void ClearNodes();
    // Between BeginUpdate and EndUpdate new top-level nodes and everything
    // under them are built off the view and shown together at EndUpdate:
    // a tree of many thousand nodes loads without a view update per node.
    void BeginUpdate();
    void EndUpdate();
    QString NodeText(const QString& key) const;
    QString ParentKey(const QString& key) const;
    // Key of the selected node; empty when none is selected.
    QString SelectedKey() const;
    // Selects a node without raising NodeClick.
    void SelectNode(const QString& key);

Q_SIGNALS:
    void NodeClick(const QString& key);
    void NodeCollapse(const QString& key);

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    void ShowImageOf(QTreeWidgetItem* item, bool selected);
    static QString KeyOf(const QTreeWidgetItem* item);

    std::vector<QIcon> images_;
    QHash<QString, QTreeWidgetItem*> nodes_;
    bool selecting_ = false;
    bool pressedOnCurrent_ = false;
    bool updating_ = false;
    QList<QTreeWidgetItem*> pendingTopLevel_;
};

}  // namespace qor::controls
