#include "src/ui/find/frmFindBatch.h"

#include "platform/base/Convert.h"
#include "platform/controls/BusyCursor.h"
#include "platform/controls/WindowMemory.h"
#include "src/common/HostValues.h"
#include "src/common/Messages.h"
#include "src/common/SettingsFile.h"
#include "src/common/UserSetting.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace qor {

namespace {

// The scopes in the order the drop-down offers them.
const std::pair<FindScope, const char*> kScopes[] = {
    {FindScope::Batch, "批号"},    {FindScope::Order, "销售订单编号"}, {FindScope::Bom, "客户BOM编号"},
    {FindScope::Item, "物料代码"}, {FindScope::Customer, "客户"},
};

// Each result row keeps the keys it goes to.
constexpr int kItemRole = Qt::UserRole;
constexpr int kTraceRole = Qt::UserRole + 1;
// The cell of a found row (FoundCells) that holds the code of a scope the
// context menu traces by: the order, the customer BOM or the batch.
int CellOf(FindScope scope) {
    constexpr int kOrderCell = 3;
    constexpr int kBomCell = 6;
    constexpr int kBatchCell = 7;
    return scope == FindScope::Order ? kOrderCell : scope == FindScope::Bom ? kBomCell : kBatchCell;
}

}  // namespace

frmFindBatch::frmFindBatch(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmFindBatch"));
    setWindowTitle(Translate(QStringLiteral("查找批次")));
    BuildWidgets();
    typingPause_.setSingleShot(true);
    typingPause_.setInterval(kTypingPauseMs);
    connect(&typingPause_, &QTimer::timeout, this, &frmFindBatch::Search);
}

void frmFindBatch::BuildWidgets() {
    cboScope_ = new QComboBox(this);
    cboScope_->setObjectName(QStringLiteral("cboScope"));
    for (const auto& [scope, caption] : kScopes)
        cboScope_->addItem(Translate(QString::fromUtf8(caption)), static_cast<int>(scope));
    auto* scopeLabel = new QLabel(Translate(QStringLiteral("查找范围(&R):")), this);
    scopeLabel->setBuddy(cboScope_);

    txtFind_ = new QLineEdit(this);
    txtFind_->setObjectName(QStringLiteral("txtFind"));
    txtFind_->setClearButtonEnabled(true);
    txtFind_->setPlaceholderText(Translate(QStringLiteral("输入开头的几个字，不分大小写")));
    txtFind_->installEventFilter(this);

    chkContains_ = new QCheckBox(Translate(QStringLiteral("包含(&C)")), this);
    chkContains_->setObjectName(QStringLiteral("chkContains"));
    chkContains_->setToolTip(Translate(QStringLiteral("找出任意位置含有所输文字的记录，而不只是以它开头的")));

    lvwFound_ = new QTreeWidget(this);
    lvwFound_->setObjectName(QStringLiteral("lvwFound"));
    lvwFound_->setRootIsDecorated(false);
    lvwFound_->setUniformRowHeights(true);
    lvwFound_->setSelectionMode(QAbstractItemView::SingleSelection);
    lvwFound_->setContextMenuPolicy(Qt::CustomContextMenu);
    QStringList headers;
    for (const QString& caption : FoundCaptions()) headers << Translate(caption);
    lvwFound_->setHeaderLabels(headers);
    lvwFound_->header()->setSectionResizeMode(QHeaderView::Interactive);
    lvwFound_->installEventFilter(this);
    QFont font = lvwFound_->font();
    font.setPointSizeF(ReportFontSize());
    lvwFound_->setFont(font);

    cmdMore_ = new QPushButton(Translate(QStringLiteral("更多(&M)…")), this);
    cmdMore_->setObjectName(QStringLiteral("cmdMore"));
    cmdMore_->setAutoDefault(false);
    cmdMore_->setEnabled(false);
    lblStatus_ = new QLabel(this);
    lblStatus_->setObjectName(QStringLiteral("lblStatus"));

    connect(txtFind_, &QLineEdit::textEdited, this, [this] { typingPause_.start(); });
    connect(cboScope_, &QComboBox::activated, this, &frmFindBatch::Search);
    connect(chkContains_, &QCheckBox::toggled, this, &frmFindBatch::Search);
    connect(cmdMore_, &QPushButton::clicked, this, &frmFindBatch::More);
    connect(lvwFound_, &QTreeWidget::itemActivated, this, [this] { Activate(false); });
    connect(lvwFound_, &QWidget::customContextMenuRequested, this, &frmFindBatch::ShowContextMenu);

    auto* top = new QHBoxLayout;
    top->addWidget(scopeLabel);
    top->addWidget(cboScope_);
    top->addWidget(txtFind_, 1);
    top->addWidget(chkContains_);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(lblStatus_, 1);
    bottom->addWidget(cmdMore_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(lvwFound_, 1);
    layout->addLayout(bottom);
    setTabOrder(cboScope_, txtFind_);
    setTabOrder(txtFind_, chkContains_);
    setTabOrder(chkContains_, lvwFound_);
    setTabOrder(lvwFound_, cmdMore_);
}

void frmFindBatch::showEvent(QShowEvent* event) {
    if (!placed_) {
        placed_ = true;
        const bool restored = !settingsPath_.isEmpty() &&
                              controls::WindowMemory(settingsPath_, UserWindowGroup(objectName())).Restore(*this);
        if (!restored && screen())
            setGeometry(controls::CentredPlacement(screen()->availableGeometry(), 0.6, QSize(640, 360)));
    }
    QDialog::showEvent(event);
    txtFind_->setFocus();
    txtFind_->selectAll();
}

void frmFindBatch::done(int result) {
    if (!settingsPath_.isEmpty()) controls::WindowMemory(settingsPath_, UserWindowGroup(objectName())).Save(*this);
    QDialog::done(result);
}

QString frmFindBatch::StatusText() const { return lblStatus_->text(); }

void frmFindBatch::Search() {
    typingPause_.stop();
    TraceSearch search;
    search.scope = static_cast<FindScope>(cboScope_->currentData().toInt());
    search.match = chkContains_->isChecked() ? FindMatch::Contains : FindMatch::Prefix;
    search.text = txtFind_->text();
    Run(search, kFromNewest);
}

void frmFindBatch::Refresh() {
    if (!shown_.text.isEmpty()) Run(shown_, kFromNewest);
}

void frmFindBatch::More() {
    if (more_) Run(shown_, nextBefore_);
}

void frmFindBatch::TraceRow(int row, FindScope scope) {
    QTreeWidgetItem* item = lvwFound_->topLevelItem(row);
    if (!item) return;
    const QString code = item->text(CellOf(scope));
    if (code.isEmpty()) return;
    cboScope_->setCurrentIndex(cboScope_->findData(static_cast<int>(scope)));
    txtFind_->setText(code);
    Run({scope, FindMatch::Exact, code}, kFromNewest);
}

void frmFindBatch::Run(const TraceSearch& search, qint64 before) {
    FoundTraces found;
    try {
        const controls::BusyCursor busy;
        found = FindTraceRecords(search, before, kPageSize);
    } catch (const std::exception& e) {
        ShowMessage(kMessageNotice, Translate(QStringLiteral("查询数据库时出错。原因:")) + ErrorDescription(e));
        return;
    }
    const bool firstPage = before == kFromNewest;
    if (firstPage) lvwFound_->clear();
    shown_ = search;
    more_ = found.more;
    nextBefore_ = found.nextBefore;
    const Recordset& rows = *found.rows;
    const int itemField = rows.FieldIndex(QStringLiteral("FItemID"));
    const int traceField = rows.FieldIndex(QStringLiteral("FTraceID"));
    QList<QTreeWidgetItem*> items;
    for (int r = 0; r < rows.RecordCount(); ++r) {
        auto* item = new QTreeWidgetItem(FoundCells(rows, r));
        item->setData(0, kItemRole, ToInt32(rows.ValueAt(itemField, static_cast<size_t>(r))));
        item->setData(0, kTraceRole, rows.ValueAt(traceField, static_cast<size_t>(r)).toLongLong());
        items << item;
    }
    lvwFound_->addTopLevelItems(items);
    if (firstPage) {
        for (int c = 0; c < lvwFound_->columnCount(); ++c) lvwFound_->resizeColumnToContents(c);
        if (!items.isEmpty()) lvwFound_->setCurrentItem(items.first());
    }
    cmdMore_->setEnabled(more_);
    const int count = lvwFound_->topLevelItemCount();
    lblStatus_->setText(count == 0 ? (search.text.isEmpty() ? QString() : Translate(QStringLiteral("没有找到记录。")))
                                   : Translate(QStringLiteral("找到 %1 条记录%2"))
                                         .arg(count)
                                         .arg(more_ ? Translate(QStringLiteral("，还有更多")) : QString()));
}

void frmFindBatch::Activate(bool open) {
    QTreeWidgetItem* item = lvwFound_->currentItem();
    if (!item) return;
    const int itemId = item->data(0, kItemRole).toInt();
    const qint64 traceId = item->data(0, kTraceRole).toLongLong();
    if (open)
        Q_EMIT OpenRecord(itemId, traceId);
    else
        Q_EMIT GoToRecord(itemId, traceId);
}

// A right click opens the menu on the row under the mouse; the menu key on
// the current row.
void frmFindBatch::ShowContextMenu(const QPoint& at) {
    QTreeWidgetItem* item = lvwFound_->itemAt(at);
    QPoint where = at;
    if (item) {
        lvwFound_->setCurrentItem(item);
    } else {
        item = lvwFound_->currentItem();
        if (!item) return;
        where = lvwFound_->visualItemRect(item).center();
    }
    const int row = lvwFound_->indexOfTopLevelItem(item);
    QMenu menu(this);
    menu.addAction(Translate(QStringLiteral("转到记录")), this, [this] { Activate(false); });
    menu.addAction(Translate(QStringLiteral("打开记录")), this, [this] { Activate(true); });
    menu.addSeparator();
    const std::pair<FindScope, const char*> traces[] = {
        {FindScope::Batch, "此批号的全部记录"},
        {FindScope::Order, "此销售订单的全部批号"},
        {FindScope::Bom, "此客户BOM的全部批号"},
    };
    for (const auto& [scope, caption] : traces) {
        QAction* action =
            menu.addAction(Translate(QString::fromUtf8(caption)), this, [this, row, s = scope] { TraceRow(row, s); });
        action->setEnabled(!item->text(CellOf(scope)).isEmpty());
    }
    menu.exec(lvwFound_->viewport()->mapToGlobal(where));
}

// Enter in the field searches at once; Down moves to the results. Enter on a
// result goes to it, Shift+Enter opens it.
bool frmFindBatch::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return QDialog::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    if (watched == txtFind_) {
        if (enter) {
            Search();
            return true;
        }
        if (key->key() == Qt::Key_Down && lvwFound_->topLevelItemCount() > 0) {
            lvwFound_->setFocus();
            return true;
        }
    } else if (watched == lvwFound_ && enter) {
        Activate(key->modifiers().testFlag(Qt::ShiftModifier));
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace qor
