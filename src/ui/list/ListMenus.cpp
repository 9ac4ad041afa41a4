#include "ui/list/ListMenus.h"

#include "common/Messages.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QStyle>
#include <QToolBar>

namespace qor {

const QStringList kRecordMenus{"mnuEditNew", "mnuEditDelete", "mnuEditModify", "mnuEditBan",
                               "mnuEditUnBan", "mnuFilter", "mnuSort"};
const QStringList kRecordTools{"New", "Modify", "Delete", "Ban", "UnBan", "Filter", "Sort"};

namespace {

struct ToolDef {
    const char* name;
    const char* caption;
    QStyle::StandardPixmap icon;
};

const ToolDef kTools[] = {
    {"New", "新增", QStyle::SP_FileIcon},
    {"Modify", "修改", QStyle::SP_FileDialogDetailedView},
    {"Delete", "删除", QStyle::SP_TrashIcon},
    {"Ban", "禁用", QStyle::SP_DialogCancelButton},
    {"UnBan", "反禁用", QStyle::SP_DialogApplyButton},
    {"Sort", "排序", QStyle::SP_ArrowDown},
    {"Filter", "过滤", QStyle::SP_FileDialogContentsView},
    {"Quit", "退出", QStyle::SP_DialogCloseButton},
    {"preview", "预览", QStyle::SP_FileDialogInfoView},
    {"print", "打印", QStyle::SP_DriveFDIcon},
};

// Tool names, lower-cased, in the order a click is compared with them, and
// the menu item each one runs.
const std::pair<const char*, const char*> kToolDispatch[] = {
    {"new", "mnuEditNew"},   {"modify", "mnuEditModify"}, {"delete", "mnuEditDelete"},
    {"ban", "mnuEditBan"},   {"unban", "mnuEditUnBan"},   {"sort", "mnuSort"},
    {"filter", "mnuFilter"}, {"print", "mnuPrint"},       {"preview", "mnuPrintPreview"},
    {"quit", "mnuClose"},
};

QMenu* AddMenu(QMenuBar* bar, const QString& name, const QString& caption) {
    QMenu* menu = bar->addMenu(Translate(caption));
    menu->setObjectName(name);
    menu->menuAction()->setObjectName(name);
    return menu;
}

}  // namespace

ListMenus::ListMenus(QWidget* window) : QObject(window) {
    menuBar_ = new QMenuBar(window);
    menuBar_->setObjectName(QStringLiteral("mnuBar"));

    QMenu* file = AddMenu(menuBar_, QStringLiteral("mnuFile"), QStringLiteral("文件(&F)"));
    AddMenuItem(file, QStringLiteral("mnuPrint"), QStringLiteral("打印"));
    AddMenuItem(file, QStringLiteral("mnuPrintPreview"), QStringLiteral("打印预览"));
    AddMenuItem(file, QStringLiteral("mnuPrintSetup"), QStringLiteral("打印设置"));
    AddSeparator(file, QStringLiteral("sp2"));
    AddMenuItem(file, QStringLiteral("mnuExport"), QStringLiteral("引出"));
    AddSeparator(file, QStringLiteral("sp3"));
    AddMenuItem(file, QStringLiteral("mnuClose"), QStringLiteral("关闭"));

    QMenu* edit = AddMenu(menuBar_, QStringLiteral("mnuEdit"), QStringLiteral("编辑(&E)"));
    AddMenuItem(edit, QStringLiteral("mnuEditNew"), QStringLiteral("新增(&N)"))->setShortcut(QKeySequence(QStringLiteral("Ctrl+N")));
    AddMenuItem(edit, QStringLiteral("mnuEditModify"), QStringLiteral("修改(&M)"));
    AddMenuItem(edit, QStringLiteral("mnuEditDelete"), QStringLiteral("删除(&D)"));
    AddSeparator(edit, QStringLiteral("mnuStep1"));
    AddMenuItem(edit, QStringLiteral("mnuEditBan"), QStringLiteral("禁用(&B)"));
    AddMenuItem(edit, QStringLiteral("mnuEditUnBan"), QStringLiteral("反禁用(&U)"));
    AddSeparator(edit, QStringLiteral("SP"));
    AddMenuItem(edit, QStringLiteral("mnuFilter"), QStringLiteral("过滤..."));
    AddMenuItem(edit, QStringLiteral("mnuSort"), QStringLiteral("排序..."));

    QMenu* view = AddMenu(menuBar_, QStringLiteral("mnuView"), QStringLiteral("视图(&V)"));
    AddMenuItem(view, QStringLiteral("mnuShowToolBar"), QStringLiteral("工具栏(&T)"))->setCheckable(true);
    AddMenuItem(view, QStringLiteral("mnuShowStatus"), QStringLiteral("状态栏(&B)"))->setCheckable(true);
    AddSeparator(view, QStringLiteral("mnuStep2"));
    AddMenuItem(view, QStringLiteral("mnuRefresh"), QStringLiteral("刷新"))->setShortcut(QKeySequence(Qt::Key_F5));

    QMenu* help = AddMenu(menuBar_, QStringLiteral("mnuHelp"), QStringLiteral("帮助(&H)"));
    AddMenuItem(help, QStringLiteral("mnuIndex"), QStringLiteral("目录(&I)"));
    AddMenuItem(help, QStringLiteral("mnuContent"), QStringLiteral("帮助内容"));

    band_ = new QToolBar(window);
    band_->setObjectName(QStringLiteral("BandList"));
    band_->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    band_->setMovable(false);
    band_->setFloatable(false);
    for (const ToolDef& def : kTools) {
        QAction* tool = band_->addAction(window->style()->standardIcon(def.icon), Translate(QString::fromUtf8(def.caption)));
        const QString name = QString::fromLatin1(def.name);
        tool->setObjectName(name);
        tools_.insert(name, tool);
        connect(tool, &QAction::triggered, this, [this, name] { ToolClick(name); });
    }
}

QAction* ListMenus::AddMenuItem(QWidget* menu, const QString& name, const QString& caption) {
    auto* action = new QAction(Translate(caption), menu);
    action->setObjectName(name);
    menu->addAction(action);
    menus_.insert(name, action);
    connect(action, &QAction::triggered, this, [this, name] { Q_EMIT MenuTriggered(name); });
    return action;
}

void ListMenus::AddSeparator(QWidget* menu, const QString& name) {
    auto* separator = new QAction(menu);
    separator->setSeparator(true);
    separator->setObjectName(name);
    menu->addAction(separator);
}

void ListMenus::SetRecordCommandsEnabled(bool enabled) {
    for (const QString& name : kRecordMenus) menus_.value(name)->setEnabled(enabled);
    for (const QString& name : kRecordTools) tools_.value(name)->setEnabled(enabled);
}

QString ListMenus::MenuForTool(const QString& toolName) {
    const QString lower = toolName.toLower();
    for (const auto& [tool, menu] : kToolDispatch)
        if (lower == QLatin1String(tool)) return QString::fromLatin1(menu);
    return {};
}

void ListMenus::ToolClick(const QString& toolName) {
    const QString menu = MenuForTool(toolName);
    if (!menu.isEmpty()) Q_EMIT MenuTriggered(menu);
}

}  // namespace qor
