#include "common/UserSetting.h"

#include "base/Convert.h"
#include "common/HostValues.h"
#include "common/SqlQuote.h"
#include "host/ComponentFactory.h"
#include "host/ProgIds.h"

namespace qor {

double GetUserSetting(int32_t userId, const QString& key, double defaultValue) {
    try {
        auto connection = host::ComponentFactory::Create(QString::fromLatin1(host::progid::kAppConnection));
        const QString sql = QStringLiteral("Select FValue From t_UserSetting Where FUserID=") +
                            QString::number(userId) + QStringLiteral(" And FCategory='QOR_APFC' And FKey =") +
                            SqlQuote(key, true, true);
        const RecordsetPtr rows = AsRecordset(connection->Call(QStringLiteral("Execute"), {sql}));
        if (!rows || rows->RecordCount() <= 0) return defaultValue;
        rows->MoveFirst();
        return LeadingNumber(rows->Fields(QStringLiteral("FValue")).Text());
    } catch (const std::exception&) {
        return defaultValue;
    }
}

}  // namespace qor
