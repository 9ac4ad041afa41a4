#include "src/common/SystemSettings.h"

#include "platform/base/Convert.h"
#include "src/common/KeptInstances.h"
#include "src/common/LoginContext.h"
#include "src/host/ProgIds.h"

namespace qor {

QString ReadSysValue(const QString& category, const QString& key, const QString& defaultValue) {
    try {
        auto sysInfo = CreateComponent(QString::fromLatin1(host::progid::kSysInfo));
        return ToText(sysInfo->Call(QStringLiteral("GetSysValue"), {GetPropsString(), category, key}));
    } catch (const std::exception&) {
        return defaultValue;
    }
}

}  // namespace qor
