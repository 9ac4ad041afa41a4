#include "tests/support/FakeListControl.h"

#include "platform/base/Variant.h"
#include "src/host/ProgIds.h"

namespace qor::test {

FakeListControl::FakeListControl() : control(RegisterFake(QString::fromLatin1(host::progid::kICList))) {
    control->On(QStringLiteral("Widget"), [this](QVariantList&) {
        widget = new FakeListWidget;
        return QVariant::fromValue<QObject*>(widget.data());
    });
    control->On(QStringLiteral("InitData"), [this](QVariantList&) { return QVariant(initAnswer); });
    control->On(QStringLiteral("InitOK"), [this](QVariantList&) { return QVariant(initOk); });
    control->On(QStringLiteral("RowSelected"), [this](QVariantList&) { return QVariant(rowSelected); });
    control->On(QStringLiteral("Selected"), [this](QVariantList&) { return QVariant::fromValue(selected); });
    control->On(QStringLiteral("ListDefinitions"), [](QVariantList&) {
        auto definition = Dictionary::New();
        definition->Set(QStringLiteral("FName"), QStringLiteral("销售订单"));
        auto definitions = Vector::New();
        definitions->Add(QVariant::fromValue(definition));
        return QVariant::fromValue(definitions);
    });
    control->Returns(QStringLiteral("Release"), {});
}

void FakeListControl::ChooseRow(const QVariant& interId, const QVariant& entryId) {
    auto row = Dictionary::New();
    row->Set(QStringLiteral("FInterID"), interId);
    row->Set(QStringLiteral("FEntryID"), entryId);
    selected = Vector::New();
    selected->Add(QVariant::fromValue(row));
}

}  // namespace qor::test
