#include "app/ComponentLoader.h"

#include "platform/base/HostError.h"
#include "platform/host/ComponentFactory.h"
#include "src/host/ProgIds.h"

#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFileInfo>

namespace qor::app {

namespace {

// The classes the shell ships with, found beside it without registration.
struct ShippedClass {
    const char* progId;
    inproc::Guid clsid;
};

constexpr ShippedClass kShippedClasses[] = {
    {host::progid::kOrderBatchTrace, inproc::kClsidOrderBatchTrace},
    {host::progid::kBatchTraceOutput, inproc::kClsidBatchTraceOutput},
};

}  // namespace

ComponentLoader::ComponentLoader(QString besideFolder) : besideFolder_(std::move(besideFolder)) {}

ComponentLoader::~ComponentLoader() {
    for (const QString& progId : installed_) host::ComponentFactory::Unregister(progId);
    FreeUnusedLibraries();
    // Code of a library still in use may yet run (an object kept until the
    // process ends): it stays loaded.
    for (auto& library : libraries_) static_cast<void>(library.release());
}

std::optional<host::RegisteredClass> ComponentLoader::Locate(const QString& progId) const {
    if (!besideFolder_.isEmpty()) {
        for (const ShippedClass& shipped : kShippedClasses) {
            if (progId.compare(QLatin1String(shipped.progId), Qt::CaseInsensitive) != 0) continue;
            const QString library = QDir(besideFolder_).filePath(progId.section(u'.', 0, 0) + QStringLiteral(".so"));
            if (QFileInfo::exists(library)) return host::RegisteredClass{progId, shipped.clsid, library};
        }
    }
    return host::ComponentRegistry::Find(progId);
}

host::ObjectPtr ComponentLoader::Create(const QString& progId) {
    const std::optional<host::RegisteredClass> found = Locate(progId);
    if (!found)
        throw HostError(
            QStringLiteral("部件 %1 未注册。请用 qor-erp --register 部件库文件 注册它的部件库。").arg(progId));
    if (!QFileInfo(found->library).isFile())
        throw HostError(
            QStringLiteral("部件 %1 的部件库 %2 不存在。请重新安装，或用 qor-erp --register 登记部件库的新位置。")
                .arg(progId, found->library));
    inproc::IObject* server = Load(found->library).CreateObject(found->clsid, progId);
    host::ObjectPtr object;
    const inproc::Result got = server->GetObject(&object);
    server->Release();
    if (!inproc::Succeeded(got) || !object)
        throw HostError(
            QStringLiteral("部件库 %1 没有交出 %2 的对象 (错误 %3)。").arg(found->library, progId, ResultText(got)));
    return object;
}

void ComponentLoader::Install(const QString& progId) {
    host::ComponentFactory::Register(progId, [this, progId] { return Create(progId); });
    installed_.append(progId);
}

int ComponentLoader::FreeUnusedLibraries() {
    if (QCoreApplication::instance()) QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    std::erase_if(libraries_, [](const std::unique_ptr<ComponentLibrary>& library) { return library->CanUnloadNow(); });
    return LoadedLibraries();
}

ComponentLibrary& ComponentLoader::Load(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    for (const auto& library : libraries_)
        if (library->Path() == absolute) return *library;
    libraries_.push_back(std::make_unique<ComponentLibrary>(absolute));
    return *libraries_.back();
}

}  // namespace qor::app
