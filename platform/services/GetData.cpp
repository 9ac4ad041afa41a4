#include "services/GetData.h"

#include "host/ProgIds.h"

namespace qor::services {

GetData::GetData(SessionPtr session)
    : Dispatch(QString::fromLatin1(host::progid::kGetData)), session_(std::move(session)) {
    Method(QStringLiteral("ExecuteSql"), [this](QVariantList& args) {
        return QVariant::fromValue(session_->database->Query(host::ArgText(args, 1)));
    });
}

}  // namespace qor::services
