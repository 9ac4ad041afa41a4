#pragma once

#include <QHash>
#include <QObject>
#include <QStringList>

class QAction;
class QMenuBar;
class QToolBar;
class QWidget;

namespace qor {

// The list window's menu bar and its toolbar band "BandList". Menu items and
// tools are found by the module's names (mnuEditNew, New, ...); both raise
// MenuTriggered with the name of the menu item whose command runs.
class ListMenus : public QObject {
    Q_OBJECT
public:
    explicit ListMenus(QWidget* window);

    QMenuBar* MenuBar() const { return menuBar_; }
    QToolBar* Band() const { return band_; }
    QAction* Menu(const QString& name) const { return menus_.value(name); }
    QAction* Tool(const QString& name) const { return tools_.value(name); }

    // The seven record commands: enabled on item nodes only.
    void SetRecordCommandsEnabled(bool enabled);

    // The menu item a tool runs, found by the tool's lower-cased name; empty
    // for a name that matches none.
    static QString MenuForTool(const QString& toolName);

    // Runs the command of a tool as a click on it does.
    void ToolClick(const QString& toolName);

Q_SIGNALS:
    void MenuTriggered(const QString& menuName);

private:
    QAction* AddMenuItem(QWidget* menu, const QString& name, const QString& caption);
    void AddSeparator(QWidget* menu, const QString& name);

    QMenuBar* menuBar_;
    QToolBar* band_;
    QHash<QString, QAction*> menus_;
    QHash<QString, QAction*> tools_;
};

// Names of the record commands, in the order their state is set.
extern const QStringList kRecordMenus;
extern const QStringList kRecordTools;

}  // namespace qor
