#include "platform/services/ICListWidget.h"

#include <QAction>
#include <QToolBar>
#include <QVBoxLayout>

namespace qor::services {

ICListWidget::ICListWidget(QWidget* parent) : QWidget(parent), list_(new PickerList(this)) {
    auto* tools = new QToolBar(this);
    tools->setObjectName(QStringLiteral("tbrList"));
    tools->setToolButtonStyle(Qt::ToolButtonTextOnly);
    QAction* select = tools->addAction(QStringLiteral("确定"));
    select->setObjectName(QStringLiteral("SelectOK"));
    QAction* exit = tools->addAction(QStringLiteral("退出"));
    exit->setObjectName(QStringLiteral("Exit"));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(tools);
    layout->addWidget(list_, 1);
    setFocusProxy(list_);

    connect(select, &QAction::triggered, this, [this] { Q_EMIT ListEvent(QStringLiteral("SelectOK")); });
    connect(exit, &QAction::triggered, this, [this] { Q_EMIT ListEvent(QStringLiteral("Exit")); });
    connect(list_, &PickerList::Chosen, this, [this] { Q_EMIT ListEvent(QStringLiteral("SelectOK")); });
    connect(list_, &PickerList::Left, this, [this] { Q_EMIT ListEvent(QStringLiteral("Exit")); });
}

}  // namespace qor::services
