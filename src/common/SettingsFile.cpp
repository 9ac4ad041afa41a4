#include "src/common/SettingsFile.h"

#include "src/common/PropsString.h"

#include <exception>

#include <dlfcn.h>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace qor {

namespace {
const QString kFileName = QStringLiteral("VUZOvuvir.INI");
}  // namespace

QString ModuleSettingsPath() {
    Dl_info info{};
    QString folder;
    if (dladdr(reinterpret_cast<void*>(&ModuleSettingsPath), &info) && info.dli_fname)
        folder = QFileInfo(QString::fromLocal8Bit(info.dli_fname)).absolutePath();
    const QString beside = QDir(folder).filePath(kFileName);
    const QFileInfo file(beside);
    if (file.exists() ? file.isWritable() : QFileInfo(folder).isWritable()) return beside;
    // An installed library's folder is not the user's to write in.
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
        .filePath(QStringLiteral("qor-erp/") + kFileName);
}

// The user comes from the property string the list window parsed at its
// load, so that remembering a window asks the host nothing.
QString UserWindowGroup(const QString& windowName) {
    QString user;
    try {
        user = GetPropItem(QStringLiteral("UserID"));
    } catch (const std::exception&) {
    }
    return windowName + QStringLiteral(".User") + user;
}

}  // namespace qor
