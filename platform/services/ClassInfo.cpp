#include "platform/services/ClassInfo.h"

#include "platform/host/HostProgIds.h"

namespace qor::services {

ClassInfo::ClassInfo(SessionPtr session)
    : Dispatch(QString::fromLatin1(host::progid::kClassInfo)), session_(std::move(session)) {
    Method(QStringLiteral("GetData"), [this](QVariantList& args) {
        return QVariant::fromValue(session_->database->Query(host::ArgText(args, 1)));
    });
}

}  // namespace qor::services
