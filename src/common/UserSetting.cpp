#include "src/common/UserSetting.h"

#include "platform/base/Convert.h"
#include "platform/host/ComponentFactory.h"
#include "src/common/HostValues.h"
#include "src/common/LoginContext.h"
#include "src/common/SqlQuote.h"
#include "src/host/ProgIds.h"

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

double ReportFontSize() { return GetUserSetting(SharedUserID(), QStringLiteral("RptFontSize"), 9); }

}  // namespace qor
