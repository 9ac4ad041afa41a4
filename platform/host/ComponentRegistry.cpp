#include "platform/host/ComponentRegistry.h"

#include "platform/base/HostError.h"

#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QUuid>

namespace qor::host {

namespace {

const QString kRegistryFile = QStringLiteral("qor-erp/components.ini");
const QString kClsidKey = QStringLiteral("CLSID");
const QString kLibraryKey = QStringLiteral("Library");

QStringList SystemConfigFolders() {
    const QStringList folders = qEnvironmentVariable("XDG_CONFIG_DIRS").split(u':', Qt::SkipEmptyParts);
    return folders.isEmpty() ? QStringList{QStringLiteral("/etc/xdg")} : folders;
}

std::optional<RegisteredClass> FindIn(const QString& file, const QString& progId) {
    if (!QFileInfo::exists(file)) return std::nullopt;
    QSettings ini(file, QSettings::IniFormat);
    for (const QString& group : ini.childGroups()) {
        if (group.compare(progId, Qt::CaseInsensitive) != 0) continue;
        ini.beginGroup(group);
        const auto clsid = ComponentRegistry::ParseGuid(ini.value(kClsidKey).toString());
        const QString library = ini.value(kLibraryKey).toString();
        if (!clsid || library.isEmpty())
            throw HostError(
                QStringLiteral("部件注册表 %1 中 %2 的登记不完整(需要 CLSID 和 Library)。").arg(file, group));
        return RegisteredClass{group, *clsid, library};
    }
    return std::nullopt;
}

void Save(QSettings& ini) {
    ini.sync();
    if (ini.status() != QSettings::NoError)
        throw HostError(QStringLiteral("无法写入部件注册表 %1。").arg(ini.fileName()));
}

}  // namespace

QString ComponentRegistry::File(Scope scope) {
    const QString folder = scope == Scope::System
                               ? SystemConfigFolders().constFirst()
                               : QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return QDir(folder).filePath(kRegistryFile);
}

ComponentRegistry::Scope ComponentRegistry::WritableScope() { return geteuid() == 0 ? Scope::System : Scope::User; }

std::optional<RegisteredClass> ComponentRegistry::Find(const QString& progId) {
    if (auto entry = FindIn(File(Scope::User), progId)) return entry;
    for (const QString& folder : SystemConfigFolders())
        if (auto entry = FindIn(QDir(folder).filePath(kRegistryFile), progId)) return entry;
    return std::nullopt;
}

void ComponentRegistry::Add(Scope scope, const RegisteredClass& entry) {
    const QString file = File(scope);
    if (!QDir().mkpath(QFileInfo(file).absolutePath()))
        throw HostError(QStringLiteral("无法创建部件注册表所在的文件夹 %1。").arg(QFileInfo(file).absolutePath()));
    QSettings ini(file, QSettings::IniFormat);
    for (const QString& group : ini.childGroups()) {
        if (group.compare(entry.progId, Qt::CaseInsensitive) == 0 ||
            ParseGuid(ini.value(group + u'/' + kClsidKey).toString()) == entry.clsid)
            ini.remove(group);
    }
    ini.beginGroup(entry.progId);
    ini.setValue(kClsidKey, GuidText(entry.clsid));
    ini.setValue(kLibraryKey, entry.library);
    ini.endGroup();
    Save(ini);
}

int ComponentRegistry::Remove(Scope scope, const inproc::Guid& clsid) {
    return RemoveWhere(scope, [&clsid](const QString& id, const QString&) { return ParseGuid(id) == clsid; });
}

int ComponentRegistry::RemoveLibrary(Scope scope, const QString& library) {
    return RemoveWhere(scope, [&library](const QString&, const QString& path) { return path == library; });
}

int ComponentRegistry::RemoveWhere(Scope scope, const EntryTest& test) {
    const QString file = File(scope);
    if (!QFileInfo::exists(file)) return 0;
    int removed = 0;
    {
        QSettings ini(file, QSettings::IniFormat);
        for (const QString& group : ini.childGroups()) {
            if (test(ini.value(group + u'/' + kClsidKey).toString(),
                     ini.value(group + u'/' + kLibraryKey).toString())) {
                ini.remove(group);
                ++removed;
            }
        }
        Save(ini);
        if (!ini.allKeys().isEmpty()) return removed;
    }
    QFile::remove(file);
    return removed;
}

QString ComponentRegistry::GuidText(const inproc::Guid& guid) {
    const QUuid uuid(guid.data1, guid.data2, guid.data3, guid.data4[0], guid.data4[1], guid.data4[2], guid.data4[3],
                     guid.data4[4], guid.data4[5], guid.data4[6], guid.data4[7]);
    return uuid.toString(QUuid::WithBraces).toUpper();
}

std::optional<inproc::Guid> ComponentRegistry::ParseGuid(const QString& text) {
    const QUuid uuid = QUuid::fromString(text.trimmed());
    if (uuid.isNull()) return std::nullopt;
    inproc::Guid guid{uuid.data1, uuid.data2, uuid.data3, {}};
    for (int i = 0; i < 8; ++i) guid.data4[i] = uuid.data4[i];
    return guid;
}

}  // namespace qor::host
