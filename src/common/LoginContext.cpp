#include "src/common/LoginContext.h"

#include "platform/base/Convert.h"
#include "platform/host/ComponentFactory.h"
#include "src/common/PropsString.h"
#include "src/host/ProgIds.h"

#include <QCoreApplication>

namespace qor {

QVariant GetSharedProperty(const QString& key) {
    auto shareProps = host::ComponentFactory::Create(QString::fromLatin1(host::progid::kShareProps));
    const auto processId = static_cast<int32_t>(QCoreApplication::applicationPid());
    // The answer's type already tells an object from a plain value, so one
    // call serves both.
    return shareProps->Call(QStringLiteral("GetProperty"), {processId, key});
}

QString GetPropsString() { return NullToEmpty(GetSharedProperty(QStringLiteral("PropsString"))); }

QString GetUserName() { return NullToEmpty(GetSharedProperty(QStringLiteral("UserName"))); }

QString SharedPropsString() {
    try {
        return GetPropsString();
    } catch (const std::exception&) {
        return QString();
    }
}

int32_t SharedUserID() {
    try {
        return ToInt32(GetSharedProperty(QStringLiteral("UserID")));
    } catch (const std::exception&) {
        return 0;
    }
}

QString GetUserID() {
    try {
        ParsePropsString(GetPropsString());
        return GetPropItem(QStringLiteral("UserID"));
    } catch (const std::exception&) {
        return QString();
    }
}

QString GetPropValue(const QString& key) {
    if (key.compare(QLatin1String("LANGUAGE"), Qt::CaseInsensitive) == 0) return QStringLiteral("chs");
    try {
        QString props = GetPropsString();
        if (!props.endsWith(u';')) props += u';';
        const qsizetype found = props.indexOf(key + u'=', 0, Qt::CaseInsensitive);
        if (found < 0) return QString();
        const qsizetype from = found + key.size();
        return props.mid(from, props.indexOf(u';', from) - from);
    } catch (const std::exception&) {
        return QString();
    }
}

}  // namespace qor
