#include "platform/services/SysInfo.h"

#include "platform/host/HostProgIds.h"

namespace qor::services {

SysInfo::SysInfo(SessionPtr session)
    : Dispatch(QString::fromLatin1(host::progid::kSysInfo)), session_(std::move(session)) {
    Method(QStringLiteral("GetSysValue"),
           [this](QVariantList& args) { return GetSysValue(host::ArgText(args, 1), host::ArgText(args, 2)); });
    Method(QStringLiteral("GetListInfo"),
           [this](QVariantList& args) { return QVariant::fromValue(GetListInfo(host::ArgInt(args, 1))); });
}

QString SysInfo::GetSysValue(const QString& category, const QString& key) {
    auto rs = session_->database->Query(
        QStringLiteral("SELECT FValue FROM t_SystemProfile WHERE FCategory = ? AND FKey = ?"), {category, key});
    return rs->RecordCount() > 0 ? rs->Fields(0).Text() : QString();
}

RecordsetPtr SysInfo::GetListInfo(int listId) {
    return session_->database->Query(
        QStringLiteral("SELECT FListID, FName, FLogicStr, FSelect, FFrom, FWhere, FOrderBy, "
                       "FCaptions FROM t_ListDefinition WHERE FListID = ?"),
        {listId});
}

}  // namespace qor::services
