#include "src/ui/list/frmBatchTrace.h"

#include "platform/base/Convert.h"
#include "platform/controls/BusyCursor.h"
#include "platform/controls/KeyedTreeView.h"
#include "platform/controls/LedgerGrid.h"
#include "platform/controls/Twips.h"
#include "platform/controls/WindowMemory.h"
#include "platform/host/ComponentFactory.h"
#include "src/common/ColumnDescriptor.h"
#include "src/common/HostValues.h"
#include "src/common/LanguageResources.h"
#include "src/common/LoginContext.h"
#include "src/common/Messages.h"
#include "src/common/PropsString.h"
#include "src/common/SettingsFile.h"
#include "src/data/CDetail.h"
#include "src/host/ProgIds.h"
#include "src/ui/find/SearchFields.h"
#include "src/ui/find/frmFindBatch.h"
#include "src/ui/list/CommandNames.h"
#include "src/ui/list/EditCommands.h"
#include "src/ui/list/ImportCommand.h"
#include "src/ui/list/ListMenus.h"
#include "src/ui/list/OutputCommands.h"
#include "src/ui/list/RecordCommands.h"
#include "src/ui/list/TraceListGrid.h"
#include "src/ui/list/TreeImages.h"
#include "src/ui/list/ViewSettings.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMouseEvent>
#include <QScreen>
#include <QStatusBar>
#include <QToolBar>

namespace qor {

namespace {

const QString kWindowName = QStringLiteral("frmBatchTrace");
const QString kRootKey = QStringLiteral("KP0");
const QString kTreeWidthKey = QStringLiteral("TreeWidth");
const QString kColumnWidthsKey = QStringLiteral("ColumnWidths");
constexpr int kHelpContext = 1099020;

// The ID behind a node key: the key without its two-letter prefix.
int NodeId(const QString& key) { return ToInt32(key.mid(2)); }

bool IsGroupKey(const QString& key) { return key.contains(QLatin1String("KP")); }

QFrame* EtchedLine(QWidget* parent, const QString& name, QPalette::ColorRole role) {
    auto* line = new QFrame(parent);
    line->setObjectName(name);
    line->setAutoFillBackground(true);
    QPalette p = line->palette();
    p.setColor(QPalette::Window, parent->palette().color(role));
    line->setPalette(p);
    return line;
}

}  // namespace

frmBatchTrace::frmBatchTrace(QWidget* parent) : QDialog(parent) {
    setObjectName(kWindowName);
    setWindowTitle(Translate(QStringLiteral("客户BOM批次对应表")));
    setWindowFlags(Qt::Window | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    setSizeGripEnabled(false);
    BuildWidgets();
    resize(Pixels(layout_.innerWidth), Pixels(layout_.innerHeight) + menus_->MenuBar()->sizeHint().height());
}

// The grid may still ask for rows while its widgets go away; the data access
// is released first and the grid no longer asks it.
frmBatchTrace::~frmBatchTrace() {
    disconnect(ldgTrace_, nullptr, this, nullptr);
    detail_.reset();
}

void frmBatchTrace::BuildWidgets() {
    menus_ = new ListMenus(this);
    connect(menus_, &ListMenus::MenuTriggered, this, &frmBatchTrace::RunMenu);

    tvwTrace_ = new controls::KeyedTreeView(this);
    tvwTrace_->setObjectName(QStringLiteral("tvwTrace"));
    tvwTrace_->SetImages(TreeImages());
    connect(tvwTrace_, &controls::KeyedTreeView::NodeClick, this, &frmBatchTrace::NodeClick);
    connect(tvwTrace_, &controls::KeyedTreeView::NodeCollapse, this, &frmBatchTrace::NodeClick);

    ldgTrace_ = new controls::LedgerGrid(this);
    ldgTrace_->setObjectName(QStringLiteral("ldgTrace"));
    connect(ldgTrace_, &controls::LedgerGrid::RowCells, this, [this](int row, QStringList* cells) {
        if (detail_) *cells = detail_->DRowCells(row);
    });
    ldgTrace_->SetRowMuted([this](int row) { return IsBannedRow(row); });
    connect(ldgTrace_, &controls::LedgerGrid::HeaderClicked, this, &frmBatchTrace::SortByColumn);
    connect(ldgTrace_, &controls::LedgerGrid::ColumnResizedByUser, this,
            [this](int col) { userWidths_.insert(col, ldgTrace_->ColWidth(col)); });
    connect(ldgTrace_, &controls::LedgerGrid::RowActivated, this, [this] { RunMenu(names::kMnuEditModify); });

    for (int i = 0; i < 2; ++i) {
        const QPalette::ColorRole role = i == 0 ? QPalette::Mid : QPalette::Light;
        line3_[i] = EtchedLine(this, QStringLiteral("Line3_%1").arg(i), role);
        line1_[i] = EtchedLine(this, QStringLiteral("Line1_%1").arg(i), role);
    }

    imgSplitVer_ = new QWidget(this);
    imgSplitVer_->setObjectName(QStringLiteral("imgSplitVer"));
    imgSplitVer_->setCursor(Qt::SplitHCursor);
    imgSplitVer_->installEventFilter(this);
    picSplitVer_ = new QFrame(this);
    picSplitVer_->setObjectName(QStringLiteral("picSplitVer"));
    picSplitVer_->setStyleSheet(QStringLiteral("background-color: #808080"));
    picSplitVer_->hide();

    sbStatusBar_ = new QStatusBar(this);
    sbStatusBar_->setObjectName(QStringLiteral("sbStatusBar"));
    sbStatusBar_->setSizeGripEnabled(false);

    lblFont_ = new QLabel(Translate(QStringLiteral("字体大小测试，请勿删除")), this);
    lblFont_->setObjectName(QStringLiteral("lblFont"));
    lblFont_->hide();
    listGrid_ = std::make_unique<TraceListGrid>(*ldgTrace_, *lblFont_);

    commands_.insert(names::kMnuClose, [this] { close(); });
    commands_.insert(names::kMnuRefresh, [this] { ReloadList(); });
    commands_.insert(names::kMnuShowStatus, [this] { ToggleStatusBar(); });
    commands_.insert(names::kMnuShowToolBar, [this] { ToggleToolBar(); });
    commands_.insert(names::kMnuIndex, [this] { ShowHelp(); });
    commands_.insert(names::kMnuContent, [this] { ShowHelp(); });
    InstallRecordCommands(*this);
    InstallOutputCommands(*this);
    InstallEditCommands(*this);
    InstallImportCommand(*this);
}

void frmBatchTrace::Load() {
    DictionaryPtr resources;
    LoadFormResources(this, resources, QStringLiteral("Z9INDUSTRY"));
    ParsePropsString(GetPropsString());

    detail_ = std::make_unique<CDetail>();
    detail_->SetVectCol(vectCol_);
    detail_->SetLdg(listGrid_.get());

    if (settingsPath_.isEmpty()) settingsPath_ = ModuleSettingsPath();
    settings_ = std::make_unique<ViewSettings>(settingsPath_, kWindowName);
    menus_->Menu(names::kMnuShowStatus)->setChecked(settings_->Read(names::kMnuShowStatus));
    menus_->Menu(names::kMnuShowToolBar)->setChecked(settings_->Read(names::kMnuShowToolBar));
    layout_.bandVisible = menus_->Menu(names::kMnuShowToolBar)->isChecked();
    menus_->Band()->setVisible(layout_.bandVisible);
    layout_.statusVisible = menus_->Menu(names::kMnuShowStatus)->isChecked();
    sbStatusBar_->setVisible(layout_.statusVisible);
    memory_ = std::make_unique<controls::WindowMemory>(settingsPath_, UserWindowGroup(kWindowName));
    RestorePlacement();
    ResizeLayout();

    InitialLdg();
    RestoreColumnWidths();
    LoadTree();
    UpdateCommandState();
    ApplyStoredFontAtLoad();
}

void frmBatchTrace::InitialLdg() { listGrid_->InitialLdg(vectCol_); }

// Where the user left the window, else three quarters of the screen; the window
// always fits the screen it opens on, whatever its scale.
void frmBatchTrace::RestorePlacement() {
    if (!memory_->Restore(*this) && screen()) {
        constexpr int kFrame = 8;
        constexpr int kTitleBar = 32;
        const QRect available = screen()->availableGeometry().adjusted(kFrame, kTitleBar, -kFrame, -kFrame);
        setGeometry(controls::CentredPlacement(available, 0.75, size()));
    }
    // Until the user moves the splitter, the tree takes 30% of the window:
    // item codes four levels down stay readable.
    double treeWidth = memory_->Value(kTreeWidthKey).toDouble();
    if (treeWidth <= 0) treeWidth = std::max(layout_.tree.width, Twips(width()) * 0.3);
    const double widest = std::max(kSplitterLimit, Twips(width()) - kSplitterLimit);
    LayoutSplitterReleased(layout_, std::clamp(treeWidth, kSplitterLimit, widest));
}

void frmBatchTrace::RestoreColumnWidths() {
    const QStringList widths = memory_->Value(kColumnWidthsKey).toStringList();
    const std::vector<ColumnDescriptor> columns = ReadColumns(vectCol_);
    for (int col = 1; col <= std::min<int>(widths.size(), ldgTrace_->Cols()); ++col) {
        const int twips = widths[col - 1].toInt();
        if (twips <= 0 || col > static_cast<int>(columns.size()) || !columns[static_cast<size_t>(col - 1)].listed)
            continue;
        ldgTrace_->SetColWidth(col, twips);
        userWidths_.insert(col, twips);
    }
}

// A column the user never sized gets room for its texts once, when the
// first list shows.
void frmBatchTrace::FitUntouchedColumns() {
    if (ldgTrace_->Rows() < 2) return;
    for (int col = 1; col <= ldgTrace_->Cols(); ++col) {
        if (userWidths_.contains(col) || fittedColumns_.contains(col)) continue;
        ldgTrace_->FitColumnToContents(col);
        fittedColumns_.insert(col);
    }
}

void frmBatchTrace::done(int result) {
    if (memory_) {
        memory_->Save(*this);
        memory_->SetValue(kTreeWidthKey, layout_.tree.width);
        QStringList widths;
        for (int col = 1; col <= ldgTrace_->Cols(); ++col) widths.append(QString::number(userWidths_.value(col)));
        memory_->SetValue(kColumnWidthsKey, widths);
    }
    QDialog::done(result);
}

void frmBatchTrace::LoadTree() {
    try {
        detail_->FetchItemDetail(0);
        const RecordsetPtr groups = detail_->FetchParentItem();
        if (!groups) return;
        tvwTrace_->ClearNodes();
        {
            // Nodes added before a failure stay in the tree.
            struct Batch {
                controls::KeyedTreeView* tree;
                ~Batch() { tree->EndUpdate(); }
            } batch{tvwTrace_};
            tvwTrace_->BeginUpdate();
            if (!AddTreeNodes(groups)) return;
        }
        tvwTrace_->SelectNode(kRootKey);
        tvwTrace_->currentItem()->setExpanded(true);
        currentNodeKey_ = kRootKey;
    } catch (const std::exception& e) {
        ShowMessage(kMessageNotice, Translate(QStringLiteral("加载数据发生错误：")) + ErrorDescription(e));
    }
}

bool frmBatchTrace::AddTreeNodes(const RecordsetPtr& groups) {
    tvwTrace_->AddNode(QString(), kRootKey, Translate(QStringLiteral("物料")), 1, 2);
    const auto nodeText = [](const Recordset& rs, int number, int name) {
        const size_t row = static_cast<size_t>(rs.CurrentRow());
        return rs.TextAt(number, row) + u'(' + rs.TextAt(name, row) + u')';
    };
    const auto idText = [](const Recordset& rs, int field) {
        return QString::number(ToInt32(rs.ValueAt(field, static_cast<size_t>(rs.CurrentRow()))));
    };
    // Records are read by count, fields found once per recordset.
    const auto fieldIndex = [](const Recordset& rs, const QString& name) {
        const int index = rs.FieldIndex(name);
        if (index < 0) rs.Fields(name);  // reports the missing field
        return index;
    };
    const auto addAll = [&](Recordset& rs, const QString& prefix, int image, int selectedImage) {
        const int id = fieldIndex(rs, QStringLiteral("FItemID"));
        const int number = fieldIndex(rs, QStringLiteral("FNumber"));
        const int name = fieldIndex(rs, QStringLiteral("FName"));
        const int parent = fieldIndex(rs, QStringLiteral("FParentID"));
        rs.MoveFirst();
        for (int n = rs.RecordCount(); n > 0; --n, rs.MoveNext())
            tvwTrace_->AddNode(QStringLiteral("KP") + idText(rs, parent), prefix + idText(rs, id),
                               nodeText(rs, number, name), image, selectedImage);
    };
    addAll(*groups, QStringLiteral("KP"), 1, 2);
    const RecordsetPtr items = detail_->FetchItemDetail(0);
    if (!items) return false;
    addAll(*items, QStringLiteral("KD"), 3, 3);
    return true;
}

void frmBatchTrace::NodeClick(const QString& key) {
    try {
        if (key == currentNodeKey_) return;
        UpdateCommandState();
        if (!IsGroupKey(key)) {
            LoadList(detail_->GetTraceSQL(QStringLiteral(" and t1.FItemID=") + QString::number(NodeId(key))));
        } else {
            ShowHeaderOnly();
        }
        currentNodeKey_ = key;
    } catch (const std::exception& e) {
        ShowMessage(kMessageNotice, Translate(QStringLiteral("tvwTrace_NodeClick发生错误！")) + ErrorDescription(e));
    }
}

// A new list starts with no row selected: a row number chosen in the list
// before must not point the commands at a record of this one.
void frmBatchTrace::LoadList(const QString& sql) {
    sortColumn_ = 0;
    ldgTrace_->ShowSortColumn(0, false);
    {
        const controls::BusyCursor busy;
        listGrid_->TakeList(*detail_, sql);
        forbidField_ = detail_->Record() ? detail_->Record()->FieldIndex(QStringLiteral("FForbid")) : -1;
    }
    ldgTrace_->SetCurrentRow(1);
    ldgTrace_->Refresh();
    FitUntouchedColumns();
}

void frmBatchTrace::ShowHeaderOnly() {
    ldgTrace_->SetRows(1);
    ldgTrace_->SetCurrentRow(1);
    ldgTrace_->Refresh();
}

// Asked for every cell the grid paints: the field is found once per list.
bool frmBatchTrace::IsBannedRow(int row) const {
    const RecordsetPtr list = detail_ ? detail_->Record() : nullptr;
    if (!list || forbidField_ < 0 || row < 2 || row - 2 >= list->RecordCount()) return false;
    const QVariant value = list->ValueAt(forbidField_, static_cast<size_t>(row - 2));
    return value.isValid() && value.toDouble() == 1.0;
}

// A click on a column's header sorts the list shown by that column, as the
// sort dialog would with that column ascending; a second click descending.
void frmBatchTrace::SortByColumn(int col) {
    if (ldgTrace_->Rows() < 2) return;
    const std::vector<ColumnDescriptor> columns = ReadColumns(vectCol_);
    if (col < 1 || col > static_cast<int>(columns.size())) return;
    const bool descending = col == sortColumn_ && !sortDescending_;
    const QString sort = ColumnSortList(columns[static_cast<size_t>(col - 1)].name, descending);
    if (sort.isEmpty()) return;
    frm_SortNow(sort);
    sortColumn_ = col;
    sortDescending_ = descending;
    ldgTrace_->ShowSortColumn(col, descending);
}

void frmBatchTrace::SelectRecord(const QString& field, const QString& value) {
    const RecordsetPtr list = detail_ ? detail_->Record() : nullptr;
    const int column = list ? list->FieldIndex(field) : -1;
    if (column < 0 || ldgTrace_->Rows() < 2) return;
    for (int row = 0; row < list->RecordCount(); ++row) {
        if (list->TextAt(column, static_cast<size_t>(row)) == value) {
            ldgTrace_->SetCurrentRow(row + 2);
            return;
        }
    }
}

bool frmBatchTrace::GoToRecord(int itemId, qint64 traceId) {
    const QString key = QStringLiteral("KD") + QString::number(itemId);
    if (tvwTrace_->NodeText(key).isEmpty()) {
        ShowMessage(kMessageNotice,
                    Translate(QStringLiteral("物料树中没有这条记录的物料：它可能已被删除，或者你没有使用它的权限。")));
        return false;
    }
    tvwTrace_->SelectNode(key);
    // The record may be new since the list was read: the item's list is read again.
    if (key == currentNodeKey_)
        ReloadList();
    else
        NodeClick(key);
    SelectRecord(QStringLiteral("FTraceID"), QString::number(traceId));
    raise();
    activateWindow();
    ldgTrace_->setFocus();
    return true;
}

void frmBatchTrace::ReloadList() {
    // Found rows follow every reload: after a save, a delete or a ban they are current.
    if (auto* find = findChild<frmFindBatch*>(); find && find->isVisible()) find->Refresh();
    const QString key = tvwTrace_->SelectedKey();
    if (key.isEmpty() || !detail_) return;
    if (IsGroupKey(key)) {
        ShowHeaderOnly();
        return;
    }
    LoadList(detail_->GetTraceSQL(QStringLiteral(" AND t1.FItemID=") + QString::number(NodeId(key))));
}

// A filter or sort confirmed before the tree has loaded (no current node)
// applies to every record, as at the root.
void frmBatchTrace::frm_FilterNow(QString strFilter) {
    if (!currentNodeKey_.isEmpty() && currentNodeKey_ != kRootKey)
        strFilter += QStringLiteral(" and t1.FItemID=") + QString::number(NodeId(currentNodeKey_));
    LoadList(detail_->GetTraceSQL(strFilter));
}

void frmBatchTrace::frm_SortNow(const QString& strSort) {
    QString filter;
    if (!currentNodeKey_.isEmpty() && currentNodeKey_ != kRootKey)
        filter = QStringLiteral(" and t1.FItemID=") + QString::number(NodeId(currentNodeKey_));
    LoadList(detail_->GetTraceSQL(filter, strSort));
}

RecordsetPtr frmBatchTrace::GetListData() const {
    if (!detail_ || !detail_->Record()) return nullptr;
    RecordsetPtr copy = detail_->Record()->Clone();
    if (copy->RecordCount() >= 1) {
        copy->MoveFirst();
        const int r = ldgTrace_->CurrentRow();
        if (copy->RecordCount() > r - 2)
            copy->Move(r - 2, MoveFrom::First);
        else
            copy->MoveLast();
    }
    return copy;
}

void frmBatchTrace::UpdateCommandState() {
    const QString key = tvwTrace_->SelectedKey();
    if (key.isEmpty()) return;
    menus_->SetRecordCommandsEnabled(!IsGroupKey(key));
}

void frmBatchTrace::RunMenu(const QString& menuName) {
    const auto command = commands_.constFind(menuName);
    if (command != commands_.cend()) (*command)();
}

void frmBatchTrace::SetCommand(const QString& menuName, std::function<void()> command) {
    commands_.insert(menuName, std::move(command));
}

void frmBatchTrace::ShowHelp() {
    try {
        auto connection = host::ComponentFactory::Create(QString::fromLatin1(host::progid::kAppConnection));
        connection->Call(QStringLiteral("ShowHelp"), {kHelpContext});
    } catch (const std::exception&) {
    }
}

void frmBatchTrace::ToggleStatusBar() {
    QAction* menu = menus_->Menu(names::kMnuShowStatus);
    settings_->Write(names::kMnuShowStatus, menu->isChecked());
    sbStatusBar_->setVisible(menu->isChecked());
    LayoutStatusBarToggled(layout_, menu->isChecked());
    ApplyLayout();
}

void frmBatchTrace::ToggleToolBar() {
    QAction* menu = menus_->Menu(names::kMnuShowToolBar);
    settings_->Write(names::kMnuShowToolBar, menu->isChecked());
    menus_->Band()->setVisible(menu->isChecked());
    QCoreApplication::processEvents();
    layout_.band.height = Twips(menus_->Band()->sizeHint().height());
    LayoutToolBarToggled(layout_, menu->isChecked());
    ApplyLayout();
}

void frmBatchTrace::ApplyStoredFontAtLoad() {
    if (listGrid_->ApplyStoredFontAtLoad()) TreeFollowsGridFont();
}

void frmBatchTrace::ApplyReportFontSize() {
    if (listGrid_->ApplyReportFontSize()) TreeFollowsGridFont();
}

void frmBatchTrace::TreeFollowsGridFont() {
    const QFont grid = ldgTrace_->font();
    QFont tree = tvwTrace_->font();
    tree.setFamily(grid.family());
    tree.setPointSizeF(grid.pointSizeF());
    tree.setBold(grid.bold());
    tree.setItalic(grid.italic());
    tvwTrace_->setFont(tree);
}

// A dialog closes on Esc; the list window is the module's main window and
// closes only by 关闭, 退出 or its close box.
void frmBatchTrace::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) return;
    QDialog::keyPressEvent(event);
}

bool frmBatchTrace::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate && detail_) ApplyReportFontSize();
    return QDialog::event(event);
}

double frmBatchTrace::Twips(int pixels) const { return controls::PixelsToTwips(pixels, *this); }

int frmBatchTrace::Pixels(double twips) const { return controls::TwipsToPixels(twips, *this); }

void frmBatchTrace::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    ResizeLayout();
}

void frmBatchTrace::ResizeLayout() {
    const int menuHeight = menus_->MenuBar()->sizeHint().height();
    menus_->MenuBar()->setGeometry(0, 0, width(), menuHeight);
    layout_.band.height = Twips(menus_->Band()->sizeHint().height());
    layout_.statusHeight = Twips(sbStatusBar_->sizeHint().height());
    LayoutResize(layout_, Twips(width()), Twips(height() - menuHeight));
    ApplyLayout();
}

void frmBatchTrace::ApplyLayout() {
    const int top = menus_->MenuBar()->sizeHint().height();
    auto place = [this, top](QWidget* w, const TwipRect& r) {
        if (r.width >= 0 && r.height >= 0)
            w->setGeometry(Pixels(r.left), top + Pixels(r.top), Pixels(r.width), Pixels(r.height));
    };
    menus_->Band()->setGeometry(0, top, width(), menus_->Band()->sizeHint().height());
    for (int i = 0; i < 2; ++i) {
        line3_[i]->setGeometry(0, top + Pixels(layout_.line3[i]), width(), 1);
        line1_[i]->setGeometry(Pixels(layout_.line1[i]), top + Pixels(layout_.line1Top), 1,
                               Pixels(layout_.line1Bottom - layout_.line1Top));
    }
    place(tvwTrace_, layout_.tree);
    place(imgSplitVer_, layout_.splitter);
    place(picSplitVer_, layout_.dragBar);
    place(ldgTrace_, layout_.grid);
    const int statusHeight = sbStatusBar_->sizeHint().height();
    sbStatusBar_->setGeometry(0, height() - statusHeight, width(), statusHeight);
}

bool frmBatchTrace::eventFilter(QObject* watched, QEvent* event) {
    if (watched != imgSplitVer_) return QDialog::eventFilter(watched, event);
    switch (event->type()) {
        case QEvent::MouseButtonPress:
            BeginSplitterDrag(layout_);
            ApplyLayout();
            picSplitVer_->raise();
            picSplitVer_->show();
            moving_ = true;
            return true;
        case QEvent::MouseMove:
            if (moving_) {
                const auto* mouse = static_cast<QMouseEvent*>(event);
                MoveSplitterDrag(layout_, Twips(mouse->position().toPoint().x()), layout_.innerWidth);
                ApplyLayout();
            }
            return true;
        case QEvent::MouseButtonRelease:
            if (moving_) {
                LayoutSplitterReleased(layout_, layout_.dragBar.left);
                picSplitVer_->hide();
                moving_ = false;
                ApplyLayout();
            }
            return true;
        default:
            return QDialog::eventFilter(watched, event);
    }
}

}  // namespace qor
