#include "platform/host/ComponentFactory.h"

#include "platform/base/HostError.h"
#include "platform/host/Dispatch.h"

#include <QHash>

namespace qor::host {

namespace {

// Fixed when this library loads, as the base library does for its types.
[[maybe_unused]] const int kObjectTypeId = qRegisterMetaType<ObjectPtr>();

struct Registry {
    QHash<QString, ComponentFactory::Creator> creators;  // lower-cased ProgID
    std::shared_ptr<CallObserver> observer;
    unsigned generation = 0;
};

Registry& TheRegistry() {
    static Registry registry;
    return registry;
}

class ObjectFactoryComponent : public Dispatch {
public:
    ObjectFactoryComponent() : Dispatch(QString::fromLatin1(kObjectFactoryProgId)) {
        Method(QStringLiteral("CreateComponent"),
               [](QVariantList& args) { return QVariant::fromValue(ComponentFactory::Create(ArgText(args, 0))); });
    }
};

ObjectPtr WrapObserved(ObjectPtr object, const std::shared_ptr<CallObserver>& observer);

// Forwards every call to the wrapped object and reports it to the observer.
class ObservedObject : public Object {
public:
    ObservedObject(ObjectPtr inner, std::shared_ptr<CallObserver> observer)
        : inner_(std::move(inner)), observer_(std::move(observer)) {}

    QString ProgID() const override { return inner_->ProgID(); }

    QVariant Invoke(const QString& member, CallKind kind, QVariantList& args) override {
        const QVariantList passed = args;
        try {
            QVariant result = inner_->Invoke(member, kind, args);
            if (auto object = result.value<ObjectPtr>()) result = QVariant::fromValue(WrapObserved(object, observer_));
            observer_->OnCall(ProgID(), member, kind, passed, result, QString());
            return result;
        } catch (const HostError& e) {
            observer_->OnCall(ProgID(), member, kind, passed, QVariant(), e.Description());
            throw;
        }
    }

private:
    ObjectPtr inner_;
    std::shared_ptr<CallObserver> observer_;
};

ObjectPtr WrapObserved(ObjectPtr object, const std::shared_ptr<CallObserver>& observer) {
    if (!observer || !object || std::dynamic_pointer_cast<ObservedObject>(object)) return object;
    return std::make_shared<ObservedObject>(std::move(object), observer);
}

}  // namespace

void ComponentFactory::Register(const QString& progId, Creator creator) {
    TheRegistry().creators.insert(progId.toLower(), std::move(creator));
}

void ComponentFactory::Unregister(const QString& progId) { TheRegistry().creators.remove(progId.toLower()); }

bool ComponentFactory::IsRegistered(const QString& progId) {
    return TheRegistry().creators.contains(progId.toLower()) ||
           progId.compare(QLatin1String(kObjectFactoryProgId), Qt::CaseInsensitive) == 0;
}

void ComponentFactory::Clear() {
    TheRegistry().creators.clear();
    ++TheRegistry().generation;
}

unsigned ComponentFactory::Generation() { return TheRegistry().generation; }

ObjectPtr ComponentFactory::Create(const QString& progId) {
    ObjectPtr object;
    auto it = TheRegistry().creators.constFind(progId.toLower());
    if (it != TheRegistry().creators.cend())
        object = (*it)();
    else if (progId.compare(QLatin1String(kObjectFactoryProgId), Qt::CaseInsensitive) == 0)
        object = std::make_shared<ObjectFactoryComponent>();
    if (!object) throw HostError(QStringLiteral("ActiveX 部件不能创建对象: %1").arg(progId));
    return Observe(std::move(object));
}

void ComponentFactory::SetObserver(std::shared_ptr<CallObserver> observer) {
    TheRegistry().observer = std::move(observer);
}

ObjectPtr ComponentFactory::Observe(ObjectPtr object) {
    return WrapObserved(std::move(object), TheRegistry().observer);
}

}  // namespace qor::host
