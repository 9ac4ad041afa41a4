#include "src/component/ClassFactory.h"

#include "src/component/ServerLocks.h"
#include "src/component/ServerObject.h"

namespace qor {

ClassFactory::ClassFactory(Creator creator) : creator_(creator) { ServerLocks::ObjectCreated(); }

ClassFactory::~ClassFactory() { ServerLocks::ObjectDestroyed(); }

inproc::Result ClassFactory::QueryInterface(const inproc::Guid& iid, void** object) {
    if (!object) return inproc::kPointer;
    *object = nullptr;
    if (!(iid == inproc::kIidUnknown) && !(iid == inproc::kIidClassFactory)) return inproc::kNoInterface;
    *object = static_cast<inproc::IClassFactory*>(this);
    AddRef();
    return inproc::kOk;
}

uint32_t ClassFactory::AddRef() { return ++references_; }

uint32_t ClassFactory::Release() {
    const uint32_t left = --references_;
    if (left == 0) delete this;
    return left;
}

inproc::Result ClassFactory::CreateInstance(inproc::IUnknown* outer, const inproc::Guid& iid, void** object) {
    if (!object) return inproc::kPointer;
    *object = nullptr;
    if (outer) return inproc::kNoAggregation;
    host::ObjectPtr made;
    try {
        made = creator_();
    } catch (...) {
        return inproc::kFail;
    }
    auto* server = new ServerObject(std::move(made));
    server->AddRef();
    const inproc::Result result = server->QueryInterface(iid, object);
    server->Release();
    return result;
}

inproc::Result ClassFactory::LockServer(bool lock) {
    if (lock)
        ServerLocks::Lock();
    else
        ServerLocks::Unlock();
    return inproc::kOk;
}

}  // namespace qor
