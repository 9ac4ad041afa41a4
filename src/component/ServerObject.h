#pragma once

#include "platform/host/InprocServer.h"
#include "platform/host/Object.h"

#include <atomic>

namespace qor {

// An object of the library as the host holds it: reference counted, handing
// out the late-bound object it wraps. Starts with no reference; the creator
// takes one through QueryInterface.
class ServerObject final : public inproc::IObject {
public:
    explicit ServerObject(host::ObjectPtr object);

    inproc::Result QueryInterface(const inproc::Guid& iid, void** object) override;
    uint32_t AddRef() override;
    uint32_t Release() override;
    inproc::Result GetObject(host::ObjectPtr* object) override;

private:
    ~ServerObject();

    std::atomic<uint32_t> references_{0};
    host::ObjectPtr object_;
};

}  // namespace qor
