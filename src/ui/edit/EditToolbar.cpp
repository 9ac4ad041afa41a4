#include "src/ui/edit/EditToolbar.h"

#include "src/common/Messages.h"

#include <QAction>
#include <QKeySequence>
#include <QStyle>
#include <QToolBar>

namespace qor {

namespace {

struct ToolButton {
    const char* key;  // nullptr: a separator
    const char* caption;
    const char* toolTip;
    QStyle::StandardPixmap icon;
    const char* shortcut;  // empty: none (Esc exits through the window)
};

const ToolButton kButtons[] = {
    {"New", "新增", "新增记录", QStyle::SP_FileIcon, "Ctrl+N"},
    {"Delete", "删除", "", QStyle::SP_TrashIcon, ""},
    {"Save", "保存", "保存", QStyle::SP_DialogSaveButton, "Ctrl+S"},
    {nullptr, nullptr, nullptr, QStyle::SP_CustomBase, ""},
    {"Fr", "首条", "第一条记录", QStyle::SP_MediaSkipBackward, "Ctrl+Home"},
    {"Pr", "上条", "上一条记录", QStyle::SP_MediaSeekBackward, "PgUp"},
    {"Ne", "下条", "下一条记录", QStyle::SP_MediaSeekForward, "PgDown"},
    {"La", "最后", "最后一条记录", QStyle::SP_MediaSkipForward, "Ctrl+End"},
    {nullptr, nullptr, nullptr, QStyle::SP_CustomBase, ""},
    {"Exit", "退出", "退出", QStyle::SP_DialogCloseButton, ""},
};

}  // namespace

QToolBar* BuildEditToolbar(QWidget* window, const std::function<void(const QString& key)>& onClick) {
    auto* toolbar = new QToolBar(window);
    toolbar->setObjectName(QStringLiteral("Toolbar1"));
    toolbar->setMovable(false);
    toolbar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    for (const ToolButton& button : kButtons) {
        if (!button.key) {
            toolbar->addSeparator();
            continue;
        }
        const QString key = QString::fromLatin1(button.key);
        QAction* action = toolbar->addAction(window->style()->standardIcon(button.icon),
                                             Translate(QString::fromUtf8(button.caption)));
        action->setObjectName(key);
        action->setShortcut(QKeySequence(QString::fromLatin1(button.shortcut)));
        action->setToolTip(Translate(QString::fromUtf8(button.toolTip)));
        QObject::connect(action, &QAction::triggered, window, [onClick, key] { onClick(key); });
        // Tab reaches every tool and Space presses it.
        toolbar->widgetForAction(action)->setFocusPolicy(Qt::TabFocus);
    }
    return toolbar;
}

}  // namespace qor
