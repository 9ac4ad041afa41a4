#include "platform/services/ItemInfo.h"

#include "platform/base/Convert.h"
#include "platform/host/HostProgIds.h"

namespace qor::services {

ItemInfo::ItemInfo(SessionPtr session)
    : Dispatch(QString::fromLatin1(host::progid::kItemInfo)), session_(std::move(session)) {
    Method(QStringLiteral("GetDataRight"),
           [this](QVariantList& args) { return GetDataRight(host::ArgInt(args, 1), host::ArgInt(args, 2)); });
}

int ItemInfo::GetDataRight(int userId, int rightKind) {
    auto rs = session_->database->Query(
        QStringLiteral("SELECT FEnabled FROM t_UserDataRight WHERE FUserID = ? AND FRightKind = ?"),
        {userId, rightKind});
    if (rs->RecordCount() == 0) return 0;
    return NullToZero(rs->Fields(0).Value()) != 0 ? 1 : 0;
}

}  // namespace qor::services
