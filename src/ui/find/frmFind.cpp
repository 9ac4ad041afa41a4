#include "src/ui/find/frmFind.h"

#include "platform/base/Convert.h"
#include "platform/base/VisibleText.h"
#include "platform/controls/WindowMemory.h"
#include "platform/host/ComponentFactory.h"
#include "src/common/HostValues.h"
#include "src/common/KeptInstances.h"
#include "src/common/LanguageResources.h"
#include "src/common/LoginContext.h"
#include "src/common/Messages.h"
#include "src/common/SettingsFile.h"
#include "src/common/UserSetting.h"
#include "src/lookup/Lookups.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace qor {

namespace {

constexpr int kRows = 6;
constexpr int kValueLength = 200;

bool IsQuoteKey(const QKeyEvent* key) { return key->text().contains(u'"') || key->text().contains(u'\''); }

// Value cells take up to 200 characters.
class ValueDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        if (auto* line = qobject_cast<QLineEdit*>(editor)) line->setMaxLength(kValueLength);
        return editor;
    }
};

}  // namespace

frmFind::frmFind(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmFind"));
    BuildWidgets();
    // Quotes are discarded before any control sees them, as typed into the
    // dialog; values that arrive by paste are quoted when the fragment is built.
    qApp->installEventFilter(this);
}

void frmFind::BuildWidgets() {
    sstFind_ = new QTabWidget(this);
    sstFind_->setObjectName(QStringLiteral("sstFind"));
    auto* gridPage = new QWidget;
    vaSpread_ = new QTableWidget(kRows, 3, gridPage);
    vaSpread_->setObjectName(QStringLiteral("vaSpread"));
    vaSpread_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    vaSpread_->setItemDelegateForColumn(2, new ValueDelegate(vaSpread_));
    vaSpread_->setEditTriggers(QAbstractItemView::AllEditTriggers);
    auto* gridLayout = new QVBoxLayout(gridPage);
    gridLayout->setContentsMargins(4, 4, 4, 4);
    gridLayout->addWidget(vaSpread_);
    sstFind_->addTab(gridPage, QString());

    auto* optionPage = new QWidget;
    fraMatch_ = new QGroupBox(Translate(QStringLiteral("匹配方式")), optionPage);
    fraMatch_->setObjectName(QStringLiteral("fraMatch"));
    optMatch_ = new QRadioButton(Translate(QStringLiteral("精确匹配")), fraMatch_);
    optMatch_->setObjectName(QStringLiteral("optMatch"));
    optBlur_ = new QRadioButton(Translate(QStringLiteral("模糊匹配")), fraMatch_);
    optBlur_->setObjectName(QStringLiteral("optBlur"));
    optMatch_->setChecked(true);
    auto* matchLayout = new QVBoxLayout(fraMatch_);
    matchLayout->addWidget(optMatch_);
    matchLayout->addWidget(optBlur_);
    auto* optionLayout = new QVBoxLayout(optionPage);
    optionLayout->addWidget(fraMatch_);
    optionLayout->addStretch();
    sstFind_->addTab(optionPage, Translate(QStringLiteral("选项(&T)")));
    connect(sstFind_, &QTabWidget::currentChanged, this, [this](int index) { vaSpread_->setVisible(index == 0); });

    cmdOK_ = new QPushButton(Translate(QStringLiteral("确定(&O)")), this);
    cmdOK_->setObjectName(QStringLiteral("cmdOK"));
    cmdCancel_ = new QPushButton(Translate(QStringLiteral("取消(&C)")), this);
    cmdCancel_->setObjectName(QStringLiteral("cmdCancel"));
    cmdOK_->setAutoDefault(false);
    cmdCancel_->setAutoDefault(false);
    // Enter confirms from anywhere a cell is not being edited; Esc cancels.
    cmdOK_->setDefault(true);
    connect(cmdOK_, &QPushButton::clicked, this, &frmFind::Ok);
    connect(cmdCancel_, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK_);
    buttons->addWidget(cmdCancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(sstFind_);
    layout->addLayout(buttons);
    resize(520, 330);
}

void frmFind::Load() {
    DictionaryPtr resources;
    LoadFormResources(this, resources, QStringLiteral("Z9INDUSTRY"));
    InitialType();
    SetGrid();
    QFont font = vaSpread_->font();
    font.setPointSizeF(ReportFontSize());
    vaSpread_->setFont(font);
    if (!settingsPath_.isEmpty()) controls::WindowMemory(settingsPath_, UserWindowGroup(objectName())).Restore(*this);
}

void frmFind::InitialType() { fields_ = InitialSearchFields(); }

void frmFind::SetGrid() {
    vaSpread_->setRowCount(kRows);
    if (actionMode_ != kSortMode && actionMode_ != kFilterMode) return;
    const bool sort = actionMode_ == kSortMode;
    const QString caption = Translate(sort ? QStringLiteral("排序") : QStringLiteral("过滤"));
    setWindowTitle(caption);
    sstFind_->setTabText(0, caption + (sort ? QStringLiteral("(&S)") : QStringLiteral("(&F)")));
    sstFind_->setTabVisible(1, !sort);
    vaSpread_->setColumnCount(sort ? 2 : 3);
    QStringList headers{Translate(sort ? QStringLiteral("排序目标") : QStringLiteral("过滤目标")),
                        Translate(sort ? QStringLiteral("排序方式") : QStringLiteral("过滤条件"))};
    if (!sort) headers.append(Translate(QStringLiteral("过滤内容")));
    vaSpread_->setHorizontalHeaderLabels(headers);
    // Captions show whole, however large the user's font.
    for (int c = 0; c < vaSpread_->columnCount(); ++c)
        vaSpread_->setColumnWidth(
            c, std::max(vaSpread_->columnWidth(c), vaSpread_->horizontalHeader()->sectionSizeHint(c)));
    const QStringList& choices = sort ? SortOrders() : FilterComparisons();
    for (int r = 0; r < kRows; ++r) {
        auto* target = new QTableWidgetItem(fields_[static_cast<size_t>(r)].fieldCaption);
        target->setFlags(Qt::ItemIsEnabled);
        vaSpread_->setItem(r, 0, target);
        auto* list = new QComboBox;
        list->setEditable(false);
        list->addItem(QString());
        list->addItems(choices);
        vaSpread_->setCellWidget(r, 1, list);
        if (!sort) vaSpread_->setItem(r, 2, new QTableWidgetItem);
    }
    if (!sort) {
        const int unit = vaSpread_->fontMetrics().averageCharWidth() * 2;
        vaSpread_->setColumnWidth(0, 10 * unit);
        vaSpread_->setColumnWidth(1, 7 * unit);
        vaSpread_->setColumnWidth(2, 10 * unit);
    }
    vaSpread_->horizontalHeader()->setStretchLastSection(true);
}

QString frmFind::ListChoice(int row) const {
    const auto* list = qobject_cast<QComboBox*>(vaSpread_->cellWidget(row - 1, 1));
    return list ? list->currentText() : QString();
}

void frmFind::SetListChoice(int row, const QString& item) {
    if (auto* list = qobject_cast<QComboBox*>(vaSpread_->cellWidget(row - 1, 1))) list->setCurrentText(item);
}

QString frmFind::CellText(int row, int column) const {
    const QTableWidgetItem* item = vaSpread_->item(row - 1, column - 1);
    return item ? item->text() : QString();
}

void frmFind::SetCellText(int row, int column, const QString& text) {
    QTableWidgetItem* item = vaSpread_->item(row - 1, column - 1);
    if (!item) vaSpread_->setItem(row - 1, column - 1, item = new QTableWidgetItem);
    item->setText(text);
    if (auto* editor = qobject_cast<QLineEdit*>(vaSpread_->indexWidget(vaSpread_->model()->index(row - 1, column - 1))))
        editor->setText(text);
}

void frmFind::CommitOpenEditor() {
    const QModelIndex current = vaSpread_->currentIndex();
    if (auto* editor = qobject_cast<QLineEdit*>(vaSpread_->indexWidget(current)))
        SetCellText(current.row() + 1, current.column() + 1, editor->text());
}

void frmFind::LookupValue(int row) {
    if (actionMode_ != kFilterMode || row < 1 || row > kRows) return;
    const SearchField& field = fields_[static_cast<size_t>(row - 1)];
    try {
        if (field.lookupClass == LookupClass::Item) {
            auto parameters = Dictionary::New();
            parameters->Set(QStringLiteral("GetDataType"), static_cast<int16_t>(1));
            QVariantList args{static_cast<int32_t>(LookupClass::Item), QString(), QStringLiteral("FErpClsID=7"),
                              QVariant::fromValue(parameters)};
            const host::ObjectPtr result = AsObject(GLView()->CallRef(QStringLiteral("ItemLookup"), args));
            const host::ObjectPtr chosen = result ? AsObject(result->Get(QStringLiteral("ReturnObject"))) : nullptr;
            if (!chosen) return;
            if (field.returnKind == 1)
                SetCellText(row, 3, NullToEmpty(chosen->Get(QStringLiteral("Number"))));
            else if (field.returnKind == 2)
                SetCellText(row, 3, NullToEmpty(chosen->Get(QStringLiteral("Name"))).trimmed());
        } else if (field.lookupClass == LookupClass::CustomerBom) {
            auto parameters = Dictionary::New();
            parameters->Set(QStringLiteral("ShowMode"), static_cast<int16_t>(1));
            parameters->Set(QStringLiteral("Filter"),
                            QStringLiteral("t1.FItemID IN (SELECT FItemID FROM t_ICItem WHERE FErpClsID=7)"));
            parameters->Set(QStringLiteral("Filter1"), QString());
            auto bomInfo = host::ComponentFactory::Create(QStringLiteral("Z9BOM.GetBomInfo"));
            QVariantList args{QVariant::fromValue(parameters)};
            const DictionaryPtr chosen = AsDictionary(bomInfo->CallRef(QStringLiteral("GetBomList"), args));
            // A closed picker answers no BOM (FinterID 0): the cell keeps its value.
            if (chosen && NullToZero(chosen->Item(QStringLiteral("FinterID"))) != 0)
                SetCellText(row, 3, NullToEmpty(chosen->Item(QStringLiteral("FBOMNUMBER"))));
        }
    } catch (const std::exception& e) {
        ShowMessage(kMessageNotice, Translate(QStringLiteral("打开查找窗口时发生错误：")) + ErrorDescription(e));
    }
}

void frmFind::Ok() {
    if (actionMode_ != kSortMode && actionMode_ != kFilterMode) return;
    const bool sort = actionMode_ == kSortMode;
    CommitOpenEditor();
    QStringList comparisons;
    for (int r = 1; r <= kRows; ++r) {
        fields_[static_cast<size_t>(r - 1)].entry = sort ? ListChoice(r) : CellText(r, 3);
        comparisons.append(ListChoice(r));
    }
    // A pasted NUL would cut the statement short on the server; no stored value holds one.
    for (const SearchField& field : fields_) {
        if (!HasControlCharacters(field.entry)) continue;
        MsgBox(Translate(QStringLiteral("过滤内容中不能有控制字符！")), kMsgInformation);
        return;
    }
    const QString result = sort ? BuildSortList(fields_) : BuildFilterFragment(fields_, comparisons);
    if (result.isEmpty()) {
        MsgBox(Translate(QStringLiteral("请输入要搜索的字符!")), kMsgInformation);
        return;
    }
    if (sort)
        Q_EMIT SortNow(result);
    else
        Q_EMIT FilterNow(result);
    accept();
}

// Keys are seen here before any control of the dialog gets them: quotes are
// dropped, F7 in a value cell opens the field's look-up.
bool frmFind::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return QDialog::eventFilter(watched, event);
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || (widget != this && !isAncestorOf(widget))) return QDialog::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    if (IsQuoteKey(key)) return true;
    if (key->key() == Qt::Key_F7 && vaSpread_->currentColumn() == 2) {
        LookupValue(vaSpread_->currentRow() + 1);
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void frmFind::done(int result) {
    if (!settingsPath_.isEmpty()) controls::WindowMemory(settingsPath_, UserWindowGroup(objectName())).Save(*this);
    QDialog::done(result);
}

}  // namespace qor
