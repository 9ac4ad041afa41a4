#include "platform/services/ShareProps.h"

#include "platform/base/Convert.h"
#include "platform/base/HostError.h"
#include "platform/host/HostProgIds.h"

#include <QHash>

namespace qor::services {

namespace {

struct PropertyKey {
    qint64 processId;
    QString key;  // lower-cased
    bool operator==(const PropertyKey&) const = default;
};

size_t qHash(const PropertyKey& k, size_t seed = 0) { return qHashMulti(seed, k.processId, k.key); }

QHash<PropertyKey, QVariant>& Store() {
    static QHash<PropertyKey, QVariant> store;
    return store;
}

PropertyKey KeyOf(const QVariantList& args) {
    return {static_cast<qint64>(ToDouble(host::Arg(args, 0))), host::ArgText(args, 1).toLower()};
}

}  // namespace

ShareProps::ShareProps() : Dispatch(QString::fromLatin1(host::progid::kShareProps)) {
    Method(QStringLiteral("GetProperty"), [](QVariantList& args) {
        const PropertyKey key = KeyOf(args);
        auto it = Store().constFind(key);
        if (it == Store().cend())
            throw HostError(QStringLiteral("共享属性“%1”不存在（进程 %2）")
                                .arg(host::ArgText(args, 1), QString::number(key.processId)));
        return *it;
    });
    Method(QStringLiteral("SetProperty"), [](QVariantList& args) {
        Store().insert(KeyOf(args), host::Arg(args, 2));
        return QVariant();
    });
}

}  // namespace qor::services
