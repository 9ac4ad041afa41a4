#include "src/common/HostValues.h"

#include "platform/base/Convert.h"
#include "platform/base/HostError.h"

namespace qor {

namespace {

template <typename Ptr>
Ptr As(const QVariant& value) {
    if (value.metaType() == QMetaType::fromType<Ptr>()) return value.value<Ptr>();
    if (IsNull(value)) return nullptr;
    throw HostError(QStringLiteral("类型不匹配"));
}

}  // namespace

RecordsetPtr AsRecordset(const QVariant& value) { return As<RecordsetPtr>(value); }
DictionaryPtr AsDictionary(const QVariant& value) { return As<DictionaryPtr>(value); }
VectorPtr AsVector(const QVariant& value) { return As<VectorPtr>(value); }
host::ObjectPtr AsObject(const QVariant& value) { return As<host::ObjectPtr>(value); }

QString ErrorDescription(const std::exception& error) {
    if (const auto* hostError = dynamic_cast<const HostError*>(&error)) return hostError->Description();
    return QString::fromLocal8Bit(error.what());
}

}  // namespace qor
