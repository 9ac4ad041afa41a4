#include "src/lookup/frmList.h"

#include "platform/base/Convert.h"
#include "platform/base/HostError.h"
#include "platform/host/ComponentFactory.h"
#include "src/common/HostValues.h"
#include "src/common/Messages.h"
#include "src/host/ProgIds.h"

#include <QCloseEvent>
#include <QLabel>
#include <QStatusBar>
#include <QTimer>

namespace qor {

namespace {
constexpr int kInitialWidth = 860;
constexpr int kInitialHeight = 520;

QWidget* WidgetOf(const host::ObjectPtr& control) {
    auto* widget = qobject_cast<QWidget*>(control->Get(QStringLiteral("Widget")).value<QObject*>());
    if (!widget) throw HostError(QStringLiteral("列表控件没有可以显示的窗口。"));
    return widget;
}
}  // namespace

frmList::frmList(QWidget* parent)
    : QDialog(parent), control_(host::ComponentFactory::Create(QString::fromLatin1(host::progid::kICList))) {
    setObjectName(QStringLiteral("frmList"));
    listWidget_ = WidgetOf(control_);
    listWidget_->setParent(this);
    listWidget_->setObjectName(QStringLiteral("ICListSel"));
    if (!connect(listWidget_, SIGNAL(ListEvent(QString)), this, SLOT(OnListEvent(QString))))
        throw HostError(QStringLiteral("列表控件不能通知窗口。"));

    sbar_ = new QStatusBar(this);
    sbar_->setObjectName(QStringLiteral("SBar"));
    sbar_->setSizeGripEnabled(false);
    firstPanel_ = new QLabel(sbar_);
    sbar_->addWidget(firstPanel_, 1);

    listWidget_->move(0, 0);
    control_->Put(QStringLiteral("ShowSearch"), true);
    resize(kInitialWidth, kInitialHeight);
}

frmList::~frmList() { Unload(); }

void frmList::PutSetting(const QString& name, const QVariant& value) { control_->Put(name, value); }

void frmList::SetISShowReport(bool value) { PutSetting(QStringLiteral("ISShowReport"), value); }
void frmList::SetListShowStatus(int32_t value) { PutSetting(QStringLiteral("ListShowStatus"), value); }
void frmList::SetDestBillTransType(const QString& value) { PutSetting(QStringLiteral("DestBillTransType"), value); }
void frmList::SetListID(int32_t value) { PutSetting(QStringLiteral("ListID"), value); }
void frmList::SetTranType(int32_t value) { PutSetting(QStringLiteral("TranType"), value); }
void frmList::SetBaseInfo(const QString& value) { PutSetting(QStringLiteral("BaseInfo"), value); }
void frmList::SetMultiSelect(bool value) { PutSetting(QStringLiteral("MultiSelect"), value ? -1 : 0); }
void frmList::SetCanSelectMultiRow(bool value) { PutSetting(QStringLiteral("CanSelectMultiRow"), value); }
void frmList::SetFilter(const QString& value) { PutSetting(QStringLiteral("Filter"), value); }
void frmList::SetLocalCnn(const QString& value) { PutSetting(QStringLiteral("LocalCnn"), value); }
void frmList::SetSystemName(const QString& value) { PutSetting(QStringLiteral("SystemName"), value); }
void frmList::SetSelectFlag(int32_t value) { PutSetting(QStringLiteral("SelectFlag"), value); }
void frmList::SetPaintBar(bool) {}

VectorPtr frmList::Selected() const { return AsVector(control_->Get(QStringLiteral("Selected"))); }
RecordsetPtr frmList::GetListRs() const { return AsRecordset(control_->Get(QStringLiteral("GetListRs"))); }
VectorPtr frmList::GetListFieldsDes() const { return AsVector(control_->Get(QStringLiteral("GetListFieldsDes"))); }

void frmList::InitData() {
    control_->Put(QStringLiteral("ROB"), rob_);
    if (!ToBool(control_->Call(QStringLiteral("InitData")))) return;
    ok_ = ToBool(control_->Get(QStringLiteral("InitOK")));
    const VectorPtr definitions = AsVector(control_->Get(QStringLiteral("ListDefinitions")));
    const DictionaryPtr definition =
        definitions && definitions->Count() > 0 ? AsDictionary(definitions->Item(1)) : nullptr;
    if (!definition) throw HostError(QStringLiteral("列表控件没有返回序时簿的定义。"));
    setWindowTitle(Translate(NullToEmpty(definition->Item(QStringLiteral("FName"))) + QStringLiteral("序时簿")));
}

void frmList::reject() {
    ok_ = false;
    QDialog::reject();
}

// A window whose list could not be loaded closes as soon as it is shown, so
// a modal display ends at once with OK false. The check waits for the event
// loop: closing while exec() is still showing the window would leave it
// waiting for a window that is already gone.
bool frmList::event(QEvent* e) {
    if (e->type() == QEvent::Show || e->type() == QEvent::WindowActivate)
        QTimer::singleShot(0, this, &frmList::CloseIfNotReady);
    return QDialog::event(e);
}

void frmList::CloseIfNotReady() {
    if (!ok_ && isVisible()) close();
}

void frmList::resizeEvent(QResizeEvent* e) {
    QDialog::resizeEvent(e);
    const int barHeight = sbar_->sizeHint().height();
    sbar_->setGeometry(0, height() - barHeight, width(), barHeight);
    if (height() > 0) listWidget_->resize(listWidget_->width(), height() - barHeight);
    if (width() > 0) listWidget_->resize(width(), listWidget_->height());
}

void frmList::closeEvent(QCloseEvent* e) {
    Unload();
    e->accept();
}

void frmList::OnListEvent(const QString& text) {
    try {
        if (text == QLatin1String("SelectOK")) {
            if (!ToBool(control_->Get(QStringLiteral("RowSelected")))) return;
            ok_ = true;
            done(QDialog::Accepted);
        } else if (text == QLatin1String("Exit")) {
            done(QDialog::Rejected);
            ok_ = false;
        }
    } catch (const std::exception&) {
    }
}

void frmList::Unload() {
    ok_ = false;
    if (isVisible()) done(QDialog::Rejected);
    try {
        control_->Call(QStringLiteral("Release"));
    } catch (const std::exception&) {
    }
}

}  // namespace qor
