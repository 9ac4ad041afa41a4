#include "app/ComponentLibrary.h"

#include "platform/base/HostError.h"
#include "platform/host/ComponentRegistry.h"

#include <dlfcn.h>
#include <QFileInfo>

namespace qor::app {

ComponentLibrary::ComponentLibrary(const QString& path) : path_(QFileInfo(path).absoluteFilePath()) {
    if (!QFileInfo(path_).isFile()) throw HostError(QStringLiteral("部件库 %1 不存在。").arg(path_));
    handle_ = dlopen(QFile::encodeName(path_).constData(), RTLD_NOW | RTLD_LOCAL);
    if (!handle_)
        throw HostError(QStringLiteral("无法加载部件库 %1: %2").arg(path_, QString::fromLocal8Bit(dlerror())));
    try {
        getClassObject_ = reinterpret_cast<inproc::DllGetClassObjectFunction>(Entry(inproc::kDllGetClassObject));
        canUnloadNow_ = reinterpret_cast<inproc::DllCanUnloadNowFunction>(Entry(inproc::kDllCanUnloadNow));
        registerServer_ = reinterpret_cast<inproc::DllRegisterServerFunction>(Entry(inproc::kDllRegisterServer));
        unregisterServer_ = reinterpret_cast<inproc::DllUnregisterServerFunction>(Entry(inproc::kDllUnregisterServer));
    } catch (const HostError&) {
        dlclose(handle_);
        throw;
    }
}

ComponentLibrary::~ComponentLibrary() { dlclose(handle_); }

void* ComponentLibrary::Entry(const char* name) const {
    void* entry = dlsym(handle_, name);
    if (!entry) throw HostError(QStringLiteral("%1 不是部件库: 它没有入口 %2。").arg(path_, QString::fromLatin1(name)));
    return entry;
}

inproc::IObject* ComponentLibrary::CreateObject(const inproc::Guid& clsid, const QString& progId) {
    const auto refused = [&](inproc::Result result) {
        return HostError(QStringLiteral("部件库 %1 不能创建 %2 (类 %3, 错误 %4)。")
                             .arg(path_, progId, host::ComponentRegistry::GuidText(clsid), ResultText(result)));
    };
    void* factoryInterface = nullptr;
    const inproc::Result got = getClassObject_(&clsid, &inproc::kIidClassFactory, &factoryInterface);
    if (!inproc::Succeeded(got) || !factoryInterface) throw refused(got);
    auto* factory = static_cast<inproc::IClassFactory*>(factoryInterface);
    void* objectInterface = nullptr;
    const inproc::Result created = factory->CreateInstance(nullptr, inproc::kIidObject, &objectInterface);
    factory->Release();
    if (!inproc::Succeeded(created) || !objectInterface) throw refused(created);
    return static_cast<inproc::IObject*>(objectInterface);
}

bool ComponentLibrary::CanUnloadNow() const { return canUnloadNow_() == inproc::kOk; }

inproc::Result ComponentLibrary::Register() const { return registerServer_(); }

inproc::Result ComponentLibrary::Unregister() const { return unregisterServer_(); }

QString ResultText(inproc::Result result) {
    return QStringLiteral("0x") + QString::number(static_cast<uint32_t>(result), 16).toUpper().rightJustified(8, u'0');
}

}  // namespace qor::app
