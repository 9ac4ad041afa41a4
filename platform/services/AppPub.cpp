#include "platform/services/AppPub.h"

#include "platform/base/Convert.h"
#include "platform/base/Variant.h"
#include "platform/host/HostProgIds.h"

namespace qor::services {

namespace {

QVariantList ValuesOf(const QVariant& values) {
    if (auto vector = values.value<VectorPtr>()) {
        QVariantList list;
        for (int i = 1; i <= vector->Count(); ++i) list.append(vector->Item(i));
        return list;
    }
    if (IsNull(values)) return {};
    if (values.typeId() == QMetaType::QVariantList || values.typeId() == QMetaType::QStringList) return values.toList();
    return {values};
}

QString FillPlaceholders(const QString& templateText, const QVariantList& values) {
    QString out;
    const qsizetype n = templateText.size();
    qsizetype i = 0;
    while (i < n) {
        const QChar c = templateText[i];
        qsizetype digitsEnd = i + 1;
        while (c == u'%' && digitsEnd < n && templateText[digitsEnd].isDigit() &&
               templateText[digitsEnd].unicode() < 128)
            ++digitsEnd;
        bool filled = false;
        for (qsizetype end = digitsEnd; end > i + 1 && !filled; --end) {
            const qsizetype index = templateText.mid(i + 1, end - i - 1).toLongLong();
            if (index >= 1 && index <= values.size()) {
                out += NullToEmpty(values[index - 1]);
                i = end;
                filled = true;
            }
        }
        if (!filled) {
            out += c;
            ++i;
        }
    }
    return out;
}

}  // namespace

AppPub::AppPub() : Dispatch(QString::fromLatin1(host::progid::kAppPub)) {
    Method(QStringLiteral("FormatMessage"),
           [](QVariantList& args) { return FillPlaceholders(host::ArgText(args, 0), ValuesOf(args.value(1))); });
}

}  // namespace qor::services
