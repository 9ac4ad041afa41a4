#pragma once

#include <QString>
#include <functional>

class QToolBar;
class QWidget;

namespace qor {

// The edit window's toolbar Toolbar1: 新增, 删除, 保存, the four record
// steps and 退出. Each button's action carries its key (New, Delete, Save,
// Fr, Pr, Ne, La, Exit) as object name; a click or the tool's shortcut
// (Ctrl+N, Ctrl+S, Ctrl+Home, PgUp, PgDown, Ctrl+End) hands the key to
// onClick.
QToolBar* BuildEditToolbar(QWidget* window, const std::function<void(const QString& key)>& onClick);

}  // namespace qor
