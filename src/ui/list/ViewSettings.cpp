#include "ui/list/ViewSettings.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <dlfcn.h>

namespace qor {

QString ViewSettings::DefaultPath() {
    Dl_info info{};
    QString folder;
    if (dladdr(reinterpret_cast<void*>(&ViewSettings::DefaultPath), &info) && info.dli_fname)
        folder = QFileInfo(QString::fromLocal8Bit(info.dli_fname)).absolutePath();
    return QDir(folder).filePath(QStringLiteral("VUZOvuvir.INI"));
}

ViewSettings::ViewSettings(QString path, QString section) : path_(std::move(path)), section_(std::move(section)) {}

bool ViewSettings::Read(const QString& key) const {
    QSettings ini(path_, QSettings::IniFormat);
    return ini.value(section_ + u'/' + key, 1).toInt() != 0;
}

void ViewSettings::Write(const QString& key, bool on) const {
    QSettings ini(path_, QSettings::IniFormat);
    ini.setValue(section_ + u'/' + key, on ? 1 : 0);
    ini.sync();
}

}  // namespace qor
