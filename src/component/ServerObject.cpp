#include "src/component/ServerObject.h"

#include "src/component/ServerLocks.h"

namespace qor {

ServerObject::ServerObject(host::ObjectPtr object) : object_(std::move(object)) { ServerLocks::ObjectCreated(); }

ServerObject::~ServerObject() { ServerLocks::ObjectDestroyed(); }

inproc::Result ServerObject::QueryInterface(const inproc::Guid& iid, void** object) {
    if (!object) return inproc::kPointer;
    *object = nullptr;
    if (!(iid == inproc::kIidUnknown) && !(iid == inproc::kIidObject)) return inproc::kNoInterface;
    *object = static_cast<inproc::IObject*>(this);
    AddRef();
    return inproc::kOk;
}

uint32_t ServerObject::AddRef() { return ++references_; }

uint32_t ServerObject::Release() {
    const uint32_t left = --references_;
    if (left == 0) delete this;
    return left;
}

inproc::Result ServerObject::GetObject(host::ObjectPtr* object) {
    if (!object) return inproc::kPointer;
    // The handed-out pointer holds a reference of its own, so the library
    // stays loaded while the host still calls the object.
    AddRef();
    *object = host::ObjectPtr(object_.get(), [this](host::Object*) { Release(); });
    return inproc::kOk;
}

}  // namespace qor
