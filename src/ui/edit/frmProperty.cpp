#include "src/ui/edit/frmProperty.h"

#include "platform/base/Convert.h"
#include "platform/base/Variant.h"
#include "platform/controls/LedgerGrid.h"
#include "platform/controls/PropertyGrid.h"
#include "platform/controls/Twips.h"
#include "platform/controls/WindowMemory.h"
#include "src/common/HostValues.h"
#include "src/common/LanguageResources.h"
#include "src/common/LoginContext.h"
#include "src/common/Messages.h"
#include "src/common/Rights.h"
#include "src/common/SettingsFile.h"
#include "src/common/TraceWrites.h"
#include "src/common/UserSetting.h"
#include "src/ui/edit/EditToolbar.h"
#include "src/ui/edit/PropertyLookups.h"
#include "src/ui/edit/PropertyRows.h"
#include "src/ui/edit/RecordSave.h"

#include <QAction>
#include <QCheckBox>
#include <QKeyEvent>
#include <QTabWidget>
#include <QToolBar>
#include <QVBoxLayout>

namespace qor {

namespace {

constexpr int kValueCol = 2;
constexpr int kPropertyTab = 0;
constexpr int kSettingsTab = 1;
constexpr int kCharQuote = 39;
constexpr int kCharBar = 124;
constexpr int kCharEnter = 13;

const char* const kCheckBoxes[][2] = {
    {"ChkClear", "新增数据刷新界面"},
    {"ChkError", "提示错误"},
    {"ChkAHelp", "显示帮助信息"},
    {"ChkRefresh", "退出时立即刷新"},
};

QString Text(const char* text) { return Translate(QString::fromUtf8(text)); }

}  // namespace

frmProperty::frmProperty(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmProperty"));
    setWindowTitle(Text("客户BOM批次对应表信息"));
    setWindowFlags(Qt::Dialog | Qt::WindowCloseButtonHint | Qt::WindowMaximizeButtonHint);
    BuildWidgets();
    rows_ = std::make_unique<PropertyRows>(*vaSProperty_);
    lookups_ = std::make_unique<PropertyLookups>(*rows_);
    ConnectGrid();
    resize(Pixels(kEditWindowWidth), Pixels(kEditWindowHeight));
}

frmProperty::~frmProperty() = default;

void frmProperty::BuildWidgets() {
    toolbar1_ = BuildEditToolbar(this, [this](const QString& key) { ToolbarClick(key); });
    toolCommands_ = {
        {QStringLiteral("new"), [this] { NewClicked(); }},
        {QStringLiteral("save"), [this] { SaveClicked(); }},
        {QStringLiteral("fr"), [this] { MoveRecord(MoveDirection::First); }},
        {QStringLiteral("pr"), [this] { MoveRecord(MoveDirection::Previous); }},
        {QStringLiteral("ne"), [this] { MoveRecord(MoveDirection::Next); }},
        {QStringLiteral("la"), [this] { MoveRecord(MoveDirection::Last); }},
    };

    sstProperty_ = new QTabWidget(this);
    sstProperty_->setObjectName(QStringLiteral("SSTProperty"));
    auto* propertyPage = new QWidget(sstProperty_);
    sstProperty_->addTab(propertyPage, Text("属性"));
    picPan_ = new QWidget(propertyPage);
    picPan_->setObjectName(QStringLiteral("PicPan"));
    vaSProperty_ = new controls::PropertyGrid(picPan_);
    vaSProperty_->setObjectName(QStringLiteral("vaSProperty"));

    auto* settingsPage = new QWidget(sstProperty_);
    auto* settingsLayout = new QVBoxLayout(settingsPage);
    for (const auto& box : kCheckBoxes) {
        auto* check = new QCheckBox(Text(box[1]), settingsPage);
        check->setObjectName(QString::fromLatin1(box[0]));
        check->setChecked(true);
        settingsLayout->addWidget(check);
    }
    settingsLayout->addStretch();
    sstProperty_->addTab(settingsPage, Text("参数设置"));
}

void frmProperty::ConnectGrid() {
    using controls::PropertyGrid;
    connect(vaSProperty_, &PropertyGrid::KeyDown, this,
            [this](int key, Qt::KeyboardModifiers) { Guarded([&] { GridKeyDown(key); }); });
    connect(vaSProperty_, &PropertyGrid::KeyPress, this, &frmProperty::GridKeyPress);
    connect(vaSProperty_, &PropertyGrid::KeyUp, this, [this] { GridKeyUp(); });
    connect(vaSProperty_, &PropertyGrid::LeaveCell, this,
            [this](int, int row, int, int, bool* cancel) { CellLeaving(row, cancel); });
    connect(vaSProperty_, &PropertyGrid::Validate, this,
            [this](bool* cancel) { CellLeaving(vaSProperty_->ActiveRow(), cancel); });
    connect(vaSProperty_, &PropertyGrid::EditChange, this, [this] { dataChanged_ = true; });
    connect(vaSProperty_, &PropertyGrid::ButtonClicked, this, [this] { dataChanged_ = true; });
}

VectorPtr frmProperty::DataProperty() const { return rows_->Schema(); }

void frmProperty::SetDataProperty(VectorPtr schema) { rows_->SetSchema(std::move(schema)); }

void frmProperty::Load() {
    DictionaryPtr resources;
    LoadFormResources(this, resources, QStringLiteral("Z9INDUSTRY"));
    isDirty_ = false;
    dataChanged_ = false;
    InitGrid();
    if (status_ != EditStatus::New)
        MoveRecord(MoveDirection::Stay);
    else
        LoadRecord(EditStatus::New);
    SetToolState();
    sstProperty_->setTabEnabled(kSettingsTab, false);
    sstProperty_->setCurrentIndex(kPropertyTab);
    vaSProperty_->SetFontSize(ReportFontSize());
    ArrangeControls();
    // The keyboard starts on the first row the window shows.
    for (int row = 1; row <= vaSProperty_->model()->rowCount(); ++row) {
        if (vaSProperty_->isRowHidden(row - 1)) continue;
        vaSProperty_->SetActiveCell(kValueCol, row);
        break;
    }
    vaSProperty_->setFocus();
    if (!settingsPath_.isEmpty()) controls::WindowMemory(settingsPath_, UserWindowGroup(objectName())).Restore(*this);
}

void frmProperty::InitGrid() { rows_->InitGrid(); }

void frmProperty::LoadRecord(EditStatus mode) {
    if (mode == EditStatus::New) {
        rows_->LoadNew(record_);
        dataChanged_ = true;
    } else if (rows_->LoadExisting(record_)) {
        MarkUnchanged();
    }
}

void frmProperty::MarkUnchanged() {
    dataChanged_ = false;
    keyDownRow_ = vaSProperty_->ActiveRow();
    // A key that stepped to this record or saved it (PgDown, Ctrl+S) goes up
    // over the values it brought: what the cell held before the key is no
    // measure of a change any more.
    textBeforeKey_ = ActiveValueText();
}

void frmProperty::ClearForNew() { rows_->ClearForNew(); }

void frmProperty::LockCells(bool lock) { rows_->LockCells(lock); }

int32_t frmProperty::FindRow(const QString& name) const { return rows_->FindRow(name); }

const RowValue& frmProperty::RowValues(int row) const { return rows_->Row(row); }

int32_t frmProperty::EntryID() const { return lookups_->EntryID(); }

int32_t frmProperty::LookupList([[maybe_unused]] int col, int row, const QString& search) {
    return lookups_->LookupList(row, search);
}

int32_t frmProperty::ResolveInput([[maybe_unused]] int col, int row, const QString& text) {
    return lookups_->ResolveInput(row, text);
}

int32_t frmProperty::CheckInput() { return qor::CheckInput(*rows_); }

int32_t frmProperty::SaveRecord() {
    if (CheckInput() != 1) return -1;
    QString message;
    try {
        const VectorPtr request = BuildSaveRequest(*rows_, lookups_->EntryID(), status_, record_);
        const int32_t result = SaveBatchTrace(request, &message);

        vaSProperty_->SetActiveCell(kValueCol, 2);
        const bool saved = result == 1;
        if (saved) {
            ShowMessage(kMessageNotice, message);
            MarkUnchanged();
            isDirty_ = true;
            savedBatchNo_ =
                NullToEmpty(request->Item(3).value<DictionaryPtr>()->GetValue(QStringLiteral("FBatchNo"), QString()));
        } else {
            ShowMessage(kMessageNotice, Text("保存失败！") + message);
        }
        const QString logTemplate = SaveLogTemplate(OperKind, saved);
        const QString itemName = vaSProperty_->CellText(kValueCol, 2);
        WriteOperationLog(logTemplate.isEmpty() ? QString() : FormatMessage(Translate(logTemplate), {itemName}));
        return result;
    } catch (const std::exception&) {
        ShowMessage(kMessageNotice, Text("保存失败！") + message);
        return -1;
    }
}

void frmProperty::MoveRecord(MoveDirection direction) {
    if (dataChanged_ && ShowMessage(kMessageQuestion, Text("数据已经改变，是否保存？")) == kMessageConfirmed &&
        SaveRecord() == -1)
        return;
    if (!record_) return;
    const int position = record_->AbsolutePosition();
    const bool atFirst = position == 1;
    const bool atLast = position == record_->RecordCount();
    switch (direction) {
        case MoveDirection::First:
        case MoveDirection::Previous:
            if (atFirst) {
                ShowMessage(kMessageNotice, Text("已经是第一条记录。"));
                return;
            }
            if (direction == MoveDirection::First)
                record_->MoveFirst();
            else
                record_->MovePrevious();
            break;
        case MoveDirection::Next:
        case MoveDirection::Last:
            if (atLast) {
                ShowMessage(kMessageNotice, Text("已经是最后一条记录。"));
                return;
            }
            if (direction == MoveDirection::Next)
                record_->MoveNext();
            else
                record_->MoveLast();
            break;
        default:
            break;
    }
    if (!record_->Eof() && !record_->Bof()) {
        interId_ = ToInt32(record_->Fields(QStringLiteral("FTraceID")).Value());
        if (ldgFace_) ldgFace_->SetCurrentRow(record_->AbsolutePosition() + 1);
    }
    LoadRecord(status_);
}

void frmProperty::SetToolState() {
    const bool view = status_ == EditStatus::View;
    if (status_ != EditStatus::New && status_ != EditStatus::Modify && !view) return;
    for (const char* key : {"New", "Save"}) Tool(QLatin1String(key))->setEnabled(!view);
    for (const char* key : {"Fr", "Pr", "Ne", "La"}) Tool(QLatin1String(key))->setEnabled(status_ != EditStatus::New);
    LockCells(view);
}

QAction* frmProperty::Tool(const QString& key) const { return toolbar1_->findChild<QAction*>(key); }

void frmProperty::ToolbarClick(const QString& key) {
    const QString command = key.toLower();
    if (command == QLatin1String("exit")) {
        close();
        return;
    }
    // 删除 has no command in this window.
    const auto found = toolCommands_.constFind(command);
    if (found == toolCommands_.cend()) return;
    Guarded([&] {
        // The value being typed counts as entered before the command acts on it.
        if (vaSProperty_->EndEdit()) (*found)();
    });
}

void frmProperty::NewClicked() {
    if (!CheckRight(kTraceRightModule, kTraceRightDetail, kRightNew)) {
        ShowMessage(kMessageNotice, Text("当前用户没有新增权限！请与系统管理员联系！"));
        return;
    }
    if (dataChanged_ && ShowMessage(kMessageQuestion, Text("数据已经改变，是否保存？")) == kMessageConfirmed &&
        SaveRecord() == -1)
        return;
    status_ = EditStatus::New;
    ClearForNew();
    SetToolState();
}

void frmProperty::SaveClicked() {
    if (!dataChanged_ || SaveRecord() != 1) return;
    if (status_ == EditStatus::New) ClearForNew();
    SetToolState();
}

void frmProperty::Guarded(const std::function<void()>& action) {
    try {
        action();
    } catch (const std::exception& e) {
        ShowMessage(kMessageNotice, Text("发生错误！") + ErrorDescription(e));
    }
}

QString frmProperty::ActiveValueText() const {
    const int row = vaSProperty_->ActiveRow();
    return row > 0 ? vaSProperty_->CellText(kValueCol, row) : QString();
}

void frmProperty::GridKeyDown(int key) {
    textBeforeKey_ = ActiveValueText();
    keyDownRow_ = vaSProperty_->ActiveRow();
    const int row = vaSProperty_->ActiveRow();
    if (row > 0 && rows_->LookupClass(row) != LookupClass::None) {
        if (key == Qt::Key_F7)
            LookupList(kValueCol, row, QString());
        else if (key == Qt::Key_F8)
            LookupList(kValueCol, row, textBeforeKey_);
    }
    if (ActiveValueText() != textBeforeKey_) dataChanged_ = true;
}

void frmProperty::GridKeyPress(int charCode, bool* cancel) {
    if (charCode == kCharQuote || charCode == kCharBar) {
        *cancel = true;
        return;
    }
    if (charCode != kCharEnter) dataChanged_ = true;
}

void frmProperty::GridKeyUp() {
    // A key that moved to another cell (Tab, the arrows) goes up over that
    // cell's text, which it did not change.
    if (vaSProperty_->ActiveRow() != keyDownRow_) return;
    if (ActiveValueText() != textBeforeKey_) dataChanged_ = true;
}

void frmProperty::CellLeaving(int row, bool* cancel) {
    if (row < 1) return;
    Guarded([&] { *cancel = !lookups_->LeaveCell(row); });
}

void frmProperty::keyPressEvent(QKeyEvent* event) {
    // Esc is the Exit tool; a cell being edited takes Esc for itself first.
    if (event->key() == Qt::Key_Escape) {
        ToolbarClick(QStringLiteral("Exit"));
        return;
    }
    QDialog::keyPressEvent(event);
}

double frmProperty::Twips(int pixels) const { return controls::PixelsToTwips(pixels, *this); }

int frmProperty::Pixels(double twips) const { return controls::TwipsToPixels(twips, *this); }

void frmProperty::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    ArrangeControls();
}

void frmProperty::ArrangeControls() {
    const int toolbarHeight = toolbar1_->sizeHint().height();
    toolbar1_->setGeometry(0, 0, width(), toolbarHeight);
    layout_.tabTop = Twips(toolbarHeight);
    ArrangeEditLayout(layout_, Twips(width()), Twips(height()));
    if (layout_.tabWidth < 0 || layout_.tabHeight < 0) return;
    sstProperty_->setGeometry(0, toolbarHeight, Pixels(layout_.tabWidth), Pixels(layout_.tabHeight));
    if (layout_.panelWidth < 0 || layout_.panelHeight < 0) return;
    QWidget* page = picPan_->parentWidget();
    const QPoint corner = page->mapFrom(sstProperty_, QPoint(Pixels(layout_.panelLeft), Pixels(layout_.panelTop)));
    picPan_->setGeometry(std::max(corner.x(), 0), std::max(corner.y(), 0), Pixels(layout_.panelWidth),
                         Pixels(layout_.panelHeight));
    vaSProperty_->setGeometry(0, 0, Pixels(layout_.gridWidth), Pixels(layout_.gridHeight));
    vaSProperty_->SetColWidth(1, layout_.col1Width);
    vaSProperty_->SetColWidth(2, layout_.col2Width);
    for (int row = 1; row <= vaSProperty_->MaxRows(); ++row) vaSProperty_->SetStaticText(1, row);
}

void frmProperty::done(int result) {
    if (!settingsPath_.isEmpty()) controls::WindowMemory(settingsPath_, UserWindowGroup(objectName())).Save(*this);
    QDialog::done(result);
}

}  // namespace qor
