#include "src/common/Messages.h"

#include "platform/base/Convert.h"
#include "platform/host/ComponentFactory.h"
#include "src/common/KeptInstances.h"
#include "src/host/ProgIds.h"

namespace qor {

namespace {
host::ObjectPtr NewMessageDialog() {
    return host::ComponentFactory::Create(QString::fromLatin1(host::progid::kMessageDialog));
}
}  // namespace

QString Translate(const QString& text) { return text; }

int16_t ShowMessage(int32_t kind, const QString& text, const QVariantList& extraButtons) {
    auto dialog = NewMessageDialog();
    dialog->Put(QStringLiteral("Title"), Translate(kMessageTitle));
    dialog->Put(QStringLiteral("Text"), text);
    for (const QVariant& caption : extraButtons) dialog->Call(QStringLiteral("AddButton"), {ToText(caption)});
    return ToInt16(dialog->Call(QStringLiteral("Show"), {kind, QString(), true}));
}

void MsgBox(const QString& text, int32_t style) {
    NewMessageDialog()->Call(QStringLiteral("MsgBox"), {text, style, Translate(kMessageTitle)});
}

QString FormatMessage(const QString& messageTemplate, const QVariantList& values) {
    return NullToEmpty(AppPub()->Call(QStringLiteral("FormatMessage"), {messageTemplate, QVariant(values)}));
}

void ShowNoticeQuietly(const QString& text) {
    try {
        ShowMessage(kMessageNotice, text);
    } catch (const std::exception&) {
    }
}

}  // namespace qor
