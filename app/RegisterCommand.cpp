#include "app/RegisterCommand.h"

#include "app/ComponentLibrary.h"
#include "app/Shell.h"
#include "platform/base/HostError.h"
#include "platform/host/ComponentRegistry.h"

#include <QFileInfo>
#include <cstdio>

namespace qor::app {

int RunRegister(const ShellOptions& options) {
    const bool adding = options.command == Command::Register;
    const QString registry = host::ComponentRegistry::File(host::ComponentRegistry::WritableScope());
    try {
        const QString path = QFileInfo(options.library).absoluteFilePath();
        if (!adding && !QFileInfo(path).isFile()) {
            const int removed = host::ComponentRegistry::RemoveLibrary(host::ComponentRegistry::WritableScope(), path);
            if (removed == 0) return Refuse(QStringLiteral("部件库 %1 不存在，也没有登记。").arg(path), kExitRefused);
            std::printf("%s\n",
                        qUtf8Printable(QStringLiteral("部件库 %1 已不存在，已从部件注册表 %2 中删去它的 %3 项登记。")
                                           .arg(path, registry)
                                           .arg(removed)));
            return kExitOk;
        }
        // Unloaded on leaving: registration creates no object.
        const ComponentLibrary library(options.library);
        const inproc::Result result = adding ? library.Register() : library.Unregister();
        if (!adding && result == inproc::kFalse) {
            std::printf(
                "%s\n",
                qUtf8Printable(
                    QStringLiteral("部件库 %1 没有登记在部件注册表 %2 中，无需注销。").arg(library.Path(), registry)));
            return kExitOk;
        }
        if (!inproc::Succeeded(result))
            return Refuse(QStringLiteral("无法%1部件库 %2: 部件注册表 %3 写入失败 (错误 %4)。")
                              .arg(adding ? QStringLiteral("注册") : QStringLiteral("注销"), library.Path(), registry,
                                   ResultText(result)),
                          kExitRefused);
        std::printf("%s\n", qUtf8Printable(QStringLiteral("已%1部件库 %2 (部件注册表 %3)。")
                                               .arg(adding ? QStringLiteral("注册") : QStringLiteral("注销"),
                                                    library.Path(), registry)));
        return kExitOk;
    } catch (const HostError& e) {
        return Refuse(e.Description(), kExitRefused);
    }
}

}  // namespace qor::app
