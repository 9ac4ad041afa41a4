#include "src/ui/list/ViewSettings.h"

#include <dlfcn.h>
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace qor {

namespace {
const QString kFileName = QStringLiteral("VUZOvuvir.INI");
}  // namespace

QString ViewSettings::DefaultPath() {
    Dl_info info{};
    QString folder;
    if (dladdr(reinterpret_cast<void*>(&ViewSettings::DefaultPath), &info) && info.dli_fname)
        folder = QFileInfo(QString::fromLocal8Bit(info.dli_fname)).absolutePath();
    const QString beside = QDir(folder).filePath(kFileName);
    const QFileInfo file(beside);
    if (file.exists() ? file.isWritable() : QFileInfo(folder).isWritable()) return beside;
    // An installed library's folder is not the user's to write in.
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
        .filePath(QStringLiteral("qor-erp/") + kFileName);
}

ViewSettings::ViewSettings(QString path, QString section) : path_(std::move(path)), section_(std::move(section)) {}

bool ViewSettings::Read(const QString& key) const {
    QSettings ini(path_, QSettings::IniFormat);
    return ini.value(section_ + u'/' + key, 1).toInt() != 0;
}

void ViewSettings::Write(const QString& key, bool on) const {
    QDir().mkpath(QFileInfo(path_).absolutePath());
    QSettings ini(path_, QSettings::IniFormat);
    ini.setValue(section_ + u'/' + key, on ? 1 : 0);
    ini.sync();
}

}  // namespace qor
