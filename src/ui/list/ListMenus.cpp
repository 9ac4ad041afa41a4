#include "src/ui/list/ListMenus.h"

#include "src/common/Messages.h"
#include "src/ui/list/CommandNames.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QStyle>
#include <QToolBar>

namespace qor {

const QStringList kRecordMenus{names::kMnuEditNew,   names::kMnuEditDelete, names::kMnuEditModify, names::kMnuEditBan,
                               names::kMnuEditUnBan, names::kMnuFilter,     names::kMnuSort};
const QStringList kRecordTools{names::kToolNew,   names::kToolModify, names::kToolDelete, names::kToolBan,
                               names::kToolUnBan, names::kToolFilter, names::kToolSort};

namespace {

struct ToolDef {
    QLatin1String name;
    const char* caption;
    QStyle::StandardPixmap icon;
};

const ToolDef kTools[] = {
    {names::kToolNew, "新增", QStyle::SP_FileIcon},
    {names::kToolModify, "修改", QStyle::SP_FileDialogDetailedView},
    {names::kToolDelete, "删除", QStyle::SP_TrashIcon},
    {names::kToolBan, "禁用", QStyle::SP_DialogCancelButton},
    {names::kToolUnBan, "反禁用", QStyle::SP_DialogApplyButton},
    {names::kToolSort, "排序", QStyle::SP_ArrowDown},
    {names::kToolFilter, "过滤", QStyle::SP_FileDialogContentsView},
    {names::kToolQuit, "退出", QStyle::SP_DialogCloseButton},
    {names::kToolPreview, "预览", QStyle::SP_FileDialogInfoView},
    {names::kToolPrint, "打印", QStyle::SP_DriveFDIcon},
};

// Tools in the order a click's lower-cased name is compared with theirs, and
// the menu item each one runs.
const std::pair<QLatin1String, QLatin1String> kToolDispatch[] = {
    {names::kToolNew, names::kMnuEditNew},          {names::kToolModify, names::kMnuEditModify},
    {names::kToolDelete, names::kMnuEditDelete},    {names::kToolBan, names::kMnuEditBan},
    {names::kToolUnBan, names::kMnuEditUnBan},      {names::kToolSort, names::kMnuSort},
    {names::kToolFilter, names::kMnuFilter},        {names::kToolPrint, names::kMnuPrint},
    {names::kToolPreview, names::kMnuPrintPreview}, {names::kToolQuit, names::kMnuClose},
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

    QMenu* file = AddMenu(menuBar_, names::kMnuFile, QStringLiteral("文件(&F)"));
    AddMenuItem(file, names::kMnuPrint, QStringLiteral("打印"))->setShortcut(QKeySequence(QStringLiteral("Ctrl+P")));
    AddMenuItem(file, names::kMnuPrintPreview, QStringLiteral("打印预览"));
    AddMenuItem(file, names::kMnuPrintSetup, QStringLiteral("打印设置"));
    AddSeparator(file, QStringLiteral("sp2"));
    AddMenuItem(file, names::kMnuExport, QStringLiteral("引出"))->setShortcut(QKeySequence(QStringLiteral("Ctrl+E")));
    AddMenuItem(file, names::kMnuImport, QStringLiteral("引入..."))
        ->setShortcut(QKeySequence(QStringLiteral("Ctrl+I")));
    AddSeparator(file, QStringLiteral("sp3"));
    AddMenuItem(file, names::kMnuClose, QStringLiteral("关闭"));

    QMenu* edit = AddMenu(menuBar_, names::kMnuEdit, QStringLiteral("编辑(&E)"));
    AddMenuItem(edit, names::kMnuEditNew, QStringLiteral("新增(&N)"))
        ->setShortcut(QKeySequence(QStringLiteral("Ctrl+N")));
    QAction* modify = AddMenuItem(edit, names::kMnuEditModify, QStringLiteral("修改(&M)"));
    // Enter on a row of the grid modifies it; the menu only shows the key.
    modify->setShortcut(QKeySequence(Qt::Key_Return));
    modify->setShortcutContext(Qt::WidgetShortcut);
    AddMenuItem(edit, names::kMnuEditDelete, QStringLiteral("删除(&D)"))->setShortcut(QKeySequence::Delete);
    AddSeparator(edit, QStringLiteral("mnuStep1"));
    AddMenuItem(edit, names::kMnuEditBan, QStringLiteral("禁用(&B)"));
    AddMenuItem(edit, names::kMnuEditUnBan, QStringLiteral("反禁用(&U)"));
    AddSeparator(edit, QStringLiteral("SP"));
    AddMenuItem(edit, names::kMnuFilter, QStringLiteral("过滤..."))
        ->setShortcut(QKeySequence(QStringLiteral("Ctrl+Shift+F")));
    AddMenuItem(edit, names::kMnuSort, QStringLiteral("排序..."));
    AddSeparator(edit, QStringLiteral("spFind"));
    AddMenuItem(edit, names::kMnuFindBatch, QStringLiteral("查找批次"))->setShortcut(QKeySequence::Find);

    QMenu* view = AddMenu(menuBar_, names::kMnuView, QStringLiteral("视图(&V)"));
    AddMenuItem(view, names::kMnuShowToolBar, QStringLiteral("工具栏(&T)"))->setCheckable(true);
    AddMenuItem(view, names::kMnuShowStatus, QStringLiteral("状态栏(&B)"))->setCheckable(true);
    AddSeparator(view, QStringLiteral("mnuStep2"));
    AddMenuItem(view, names::kMnuRefresh, QStringLiteral("刷新"))->setShortcut(QKeySequence(Qt::Key_F5));

    QMenu* help = AddMenu(menuBar_, names::kMnuHelp, QStringLiteral("帮助(&H)"));
    AddMenuItem(help, names::kMnuIndex, QStringLiteral("目录(&I)"));
    AddMenuItem(help, names::kMnuContent, QStringLiteral("帮助内容"));

    band_ = new QToolBar(window);
    band_->setObjectName(QStringLiteral("BandList"));
    band_->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    band_->setMovable(false);
    band_->setFloatable(false);
    for (const ToolDef& def : kTools) {
        QAction* tool =
            band_->addAction(window->style()->standardIcon(def.icon), Translate(QString::fromUtf8(def.caption)));
        const QString name = def.name;
        tool->setObjectName(name);
        tools_.insert(name, tool);
        connect(tool, &QAction::triggered, this, [this, name] { ToolClick(name); });
    }
    // Finding a batch is not one of the dispatched tools: its tool runs its
    // menu item directly.
    QAction* find = band_->addAction(window->style()->standardIcon(QStyle::SP_FileDialogContentsView),
                                     Translate(QStringLiteral("查找批次")));
    find->setObjectName(names::kToolFindBatch);
    tools_.insert(names::kToolFindBatch, find);
    connect(find, &QAction::triggered, this, [this] { Q_EMIT MenuTriggered(names::kMnuFindBatch); });
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
        if (lower == QString(tool).toLower()) return menu;
    return {};
}

void ListMenus::ToolClick(const QString& toolName) {
    const QString menu = MenuForTool(toolName);
    if (!menu.isEmpty()) Q_EMIT MenuTriggered(menu);
}

}  // namespace qor
