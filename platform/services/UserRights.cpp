#include "platform/services/UserRights.h"

#include "platform/base/Convert.h"

namespace qor::services {

bool HoldsRight(db::Database& database, int userId, int module, int detail, qint64 mask) {
    auto rs = database.Query(
        QStringLiteral("SELECT FMask FROM t_UserRight WHERE FUserID = ? AND FModule = ? AND FDetail = ?"),
        {userId, module, detail});
    if (rs->RecordCount() == 0) return false;
    const qint64 held = rs->Fields(0).Value().toLongLong();
    return (held & mask) == mask;
}

}  // namespace qor::services
