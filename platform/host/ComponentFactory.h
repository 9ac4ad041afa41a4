#pragma once

#include "platform/host/Object.h"

#include <functional>
#include <memory>

namespace qor::host {

// Sees every call the module makes into a host component (the shell's
// --trace file is one). args are the arguments as the caller passed them.
class CallObserver {
public:
    virtual ~CallObserver() = default;
    virtual void OnCall(const QString& progId, const QString& member, CallKind kind, const QVariantList& args,
                        const QVariant& result, const QString& error) = 0;
};

// Process-wide registry of host components by ProgID. The host shell
// registers the real components, tests register fakes under the same
// ProgIDs. Create() gives a new instance per call.
class ComponentFactory {
public:
    using Creator = std::function<ObjectPtr()>;

    static void Register(const QString& progId, Creator creator);
    static void Unregister(const QString& progId);
    static bool IsRegistered(const QString& progId);
    // Forgets every registration (tests start from a clean registry).
    static void Clear();
    // Counts the Clear() calls, so instances kept across calls can tell that
    // the registry they were created from is gone.
    static unsigned Generation();

    // Throws HostError when nothing is registered under progId or its
    // creator fails.
    static ObjectPtr Create(const QString& progId);

    // Observes every call made on objects created from now on, and on the
    // objects they return. nullptr stops observing.
    static void SetObserver(std::shared_ptr<CallObserver> observer);
    static ObjectPtr Observe(ObjectPtr object);
};

// ProgID of the factory as a component itself: its CreateComponent(progId)
// answers Create(progId). Always registered.
inline constexpr const char* kObjectFactoryProgId = "QORObjectFactory.ObjectFactory";

}  // namespace qor::host
