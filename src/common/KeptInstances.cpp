#include "src/common/KeptInstances.h"

#include "platform/base/HostError.h"
#include "platform/host/ComponentFactory.h"
#include "src/common/HostValues.h"
#include "src/host/ProgIds.h"

namespace qor {

namespace {

struct KeptInstance {
    explicit KeptInstance(const char* id) : progId(id) {}

    const char* progId;
    host::ObjectPtr object;
    unsigned registryGeneration = 0;
};

host::ObjectPtr Kept(KeptInstance& kept) {
    const unsigned generation = host::ComponentFactory::Generation();
    if (!kept.object || kept.registryGeneration != generation) {
        kept.object = nullptr;
        kept.object = host::ComponentFactory::Create(QString::fromLatin1(kept.progId));
        kept.registryGeneration = generation;
    }
    return kept.object;
}

}  // namespace

host::ObjectPtr ObjectFactory() {
    static KeptInstance kept{host::kObjectFactoryProgId};
    return Kept(kept);
}

host::ObjectPtr GLData() {
    static KeptInstance kept{host::progid::kGLData};
    return Kept(kept);
}

host::ObjectPtr GLView() {
    static KeptInstance kept{host::progid::kGLView};
    return Kept(kept);
}

host::ObjectPtr AppPub() {
    static KeptInstance kept{host::progid::kAppPub};
    return Kept(kept);
}

host::ObjectPtr CreateComponent(const QString& progId) {
    auto object = AsObject(ObjectFactory()->Call(QStringLiteral("CreateComponent"), {progId}));
    if (!object) throw HostError(QStringLiteral("ActiveX 部件不能创建对象: %1").arg(progId));
    return object;
}

}  // namespace qor
