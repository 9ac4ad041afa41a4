#include "src/common/UserProfile.h"

#include "platform/base/Convert.h"
#include "platform/base/HostError.h"
#include "platform/host/ComponentFactory.h"
#include "src/common/HostValues.h"
#include "src/host/ProgIds.h"

namespace qor {

namespace {

DictionaryPtr LoadProfile(const host::ObjectPtr& profile, const QString& application, const QString& section) {
    profile->Call(QStringLiteral("Load"), {application, section});
    auto values = AsDictionary(profile->Get(QStringLiteral("Dictionary")));
    if (!values) throw HostError(QStringLiteral("用户配置没有内容: %1\\%2").arg(application, section));
    return values;
}

host::ObjectPtr NewProfile() { return host::ComponentFactory::Create(QString::fromLatin1(host::progid::kUserProfile)); }

}  // namespace

QVariant GetUserProfile(const QString& application, const QString& section, const QString& key,
                        const QVariant& defaultValue) {
    try {
        const QVariant value = LoadProfile(NewProfile(), application, section)->GetValue(key, defaultValue);
        if (defaultValue.typeId() == QMetaType::Bool) return ToBool(value);
        return ToText(value);
    } catch (const std::exception&) {
        return QVariant();
    }
}

bool SaveUserProfile(const QString& application, const QString& section, const QString& key, const QVariant& value) {
    auto profile = NewProfile();
    LoadProfile(profile, application, section)->Set(key, value);
    profile->Call(QStringLiteral("Save"), {application, section});
    return true;
}

}  // namespace qor
