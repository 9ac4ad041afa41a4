#pragma once

#include "platform/host/InprocServer.h"
#include "platform/host/Object.h"

#include <atomic>

namespace qor {

// The class factory of one class of the library: CreateInstance wraps a new
// late-bound object of the class in a ServerObject. Starts with no reference;
// the caller takes one through QueryInterface.
class ClassFactory final : public inproc::IClassFactory {
public:
    using Creator = host::ObjectPtr (*)();

    explicit ClassFactory(Creator creator);

    inproc::Result QueryInterface(const inproc::Guid& iid, void** object) override;
    uint32_t AddRef() override;
    uint32_t Release() override;
    inproc::Result CreateInstance(inproc::IUnknown* outer, const inproc::Guid& iid, void** object) override;
    inproc::Result LockServer(bool lock) override;

private:
    ~ClassFactory();

    std::atomic<uint32_t> references_{0};
    Creator creator_;
};

}  // namespace qor
