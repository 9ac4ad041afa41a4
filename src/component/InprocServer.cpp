// The four entry points of the component library QOROrderBatchTrace, the
// only symbols it exports.
#include "platform/host/InprocServer.h"

#include "platform/host/ComponentRegistry.h"
#include "src/component/ClassFactory.h"
#include "src/component/LibraryClasses.h"
#include "src/component/ServerLocks.h"

#include <dlfcn.h>
#include <QFileInfo>
#include <type_traits>

using namespace qor;
using inproc::Guid;
using inproc::Result;

extern "C" {
Result DllGetClassObject(const Guid* clsid, const Guid* iid, void** object);
Result DllCanUnloadNow();
Result DllRegisterServer();
Result DllUnregisterServer();
}

static_assert(std::is_same_v<decltype(&DllGetClassObject), inproc::DllGetClassObjectFunction>);
static_assert(std::is_same_v<decltype(&DllCanUnloadNow), inproc::DllCanUnloadNowFunction>);
static_assert(std::is_same_v<decltype(&DllRegisterServer), inproc::DllRegisterServerFunction>);
static_assert(std::is_same_v<decltype(&DllUnregisterServer), inproc::DllUnregisterServerFunction>);

namespace {

QString LibraryPath() {
    Dl_info info{};
    if (!dladdr(reinterpret_cast<void*>(&DllRegisterServer), &info) || !info.dli_fname) return {};
    return QFileInfo(QString::fromLocal8Bit(info.dli_fname)).absoluteFilePath();
}

}  // namespace

Result DllGetClassObject(const Guid* clsid, const Guid* iid, void** object) {
    if (!clsid || !iid || !object) return inproc::kPointer;
    *object = nullptr;
    for (const LibraryClass& c : LibraryClasses()) {
        if (!(c.clsid == *clsid)) continue;
        auto* factory = new ClassFactory(c.create);
        factory->AddRef();
        const Result result = factory->QueryInterface(*iid, object);
        factory->Release();
        return result;
    }
    return inproc::kClassNotAvailable;
}

Result DllCanUnloadNow() { return ServerLocks::InUse() ? inproc::kFalse : inproc::kOk; }

Result DllRegisterServer() {
    const QString library = LibraryPath();
    if (library.isEmpty()) return inproc::kRegistrationFailed;
    try {
        const auto scope = host::ComponentRegistry::WritableScope();
        for (const LibraryClass& c : LibraryClasses())
            host::ComponentRegistry::Add(scope, {QString::fromLatin1(c.progId), c.clsid, library});
        return inproc::kOk;
    } catch (...) {
        return inproc::kRegistrationFailed;
    }
}

Result DllUnregisterServer() {
    try {
        const auto scope = host::ComponentRegistry::WritableScope();
        int removed = 0;
        for (const LibraryClass& c : LibraryClasses()) removed += host::ComponentRegistry::Remove(scope, c.clsid);
        return removed > 0 ? inproc::kOk : inproc::kFalse;
    } catch (...) {
        return inproc::kRegistrationFailed;
    }
}
