#include "platform/services/GetData.h"

#include "platform/base/Convert.h"
#include "platform/host/HostProgIds.h"
#include "platform/services/ItemDetailQuery.h"

namespace qor::services {

GetData::GetData(SessionPtr session)
    : Dispatch(QString::fromLatin1(host::progid::kGetData)), session_(std::move(session)) {
    Method(QStringLiteral("ExecuteSql"), [this](QVariantList& args) {
        return QVariant::fromValue(session_->database->Query(host::ArgText(args, 1)));
    });
    Method(QStringLiteral("GetItemDetail"), [this](QVariantList& args) {
        return QVariant::fromValue(QueryItemDetail(*session_->database, host::ArgInt(args, 3), host::ArgText(args, 2),
                                                   host::ArgBool(args, 1),
                                                   args.size() > 5 ? NullToEmpty(args[5]) : QString()));
    });
}

}  // namespace qor::services
